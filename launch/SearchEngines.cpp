#include "launch/SearchEngines.h"

#include "launch/OpenUrl.h"
#include "res/resource.h"

const SearchEngine kSearchEngines[7] = {
    {ID_SEARCH_APORT, "http://www.aport.ru/"},
    {ID_SEARCH_RAMBLER, "http://www.rambler.ru/"},
    {ID_SEARCH_YANDEX, "http://www.yandex.ru/"},
    {ID_SEARCH_ALTAVISTA, "http://www.altavista.com/"},
    {ID_SEARCH_EUROSEEK, "http://www.euroseek.com/"},
    {ID_SEARCH_HOTBOT, "http://www.hotbot.com/"},
    {ID_SEARCH_INFOSEEK, "http://www.infoseek.com/"},
};

int SearchEngineIndex(unsigned command)
{
    for (int index = 0; index < 7; ++index) {
        if (kSearchEngines[index].command == command)
            return index;
    }
    return -1;
}

void OpenSearchEngine(ILauncher& launcher, IPrompt& prompt, int index)
{
    if (index < 0 || index >= 7)
        return;
    OpenInBrowserOrShell(launcher, prompt, kSearchEngines[index].homePage, true);
}
