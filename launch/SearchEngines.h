// The search engines of the Tools menu.
#pragma once

class ILauncher;
class IPrompt;

// The engines of the Tools menu, in menu order: an engine is named by its index.
struct SearchEngine {
    const char* homePage;
};
constexpr int kSearchEngineCount = 7;
extern const SearchEngine kSearchEngines[kSearchEngineCount];

// The engine's home page in a new process of the browser registered for
// ftp, whatever the default action; the lookup's message when there is none.
// An index that names no engine opens nothing.
void OpenSearchEngine(ILauncher& launcher, IPrompt& prompt, int index);
