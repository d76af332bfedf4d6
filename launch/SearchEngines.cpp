// The search engines of the Tools menu.
#include "launch/SearchEngines.h"

#include "launch/OpenUrl.h"

const SearchEngine kSearchEngines[kSearchEngineCount] = {
    {"http://www.aport.ru/"},
    {"http://www.rambler.ru/"},
    {"http://www.yandex.ru/"},
    {"http://www.altavista.com/"},
    {"http://www.euroseek.com/"},
    {"http://www.hotbot.com/"},
    {"http://www.infoseek.com/"},
};

void OpenSearchEngine(ILauncher& launcher, IPrompt& prompt, int index)
{
    if (index < 0 || index >= kSearchEngineCount)
        return;
    OpenInBrowserOrShell(launcher, prompt, kSearchEngines[index].homePage, true);
}
