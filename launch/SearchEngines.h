#pragma once

class ILauncher;
class IPrompt;

// The engines of the Tools menu, in menu order (the index is the position).
struct SearchEngine {
    unsigned command;
    const char* homePage;
};
extern const SearchEngine kSearchEngines[7];

// The engine's index for its command; -1 for any other command.
int SearchEngineIndex(unsigned command);

// The engine's home page in a new process of the browser registered for
// ftp, whatever the default action; the lookup's message when there is none.
void OpenSearchEngine(ILauncher& launcher, IPrompt& prompt, int index);
