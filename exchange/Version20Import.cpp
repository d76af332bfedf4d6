// The import of a version 2.0 data file.
#include "exchange/Version20Import.h"

#include "exchange/ImportFile.h"
#include "store/CBookmarkDoc.h"
#include "store/CoreText.h"
#include "store/DataFile.h"
#include "store/FileError.h"
#include "store/FileIO.h"
#include "store/FileOperation.h"
#include "store/Prompt.h"

#include <new>

namespace {

bool ReadVersion20File(const std::string& path, StoreContent& content, IPrompt& prompt)
{
    const Version20Scope mode;
    return RunFileOperation(prompt, path, FileReport::DocumentOpen, [&] {
        InputFile file(path);
        if (file.Size() > 0)
            ReadDataFile(file, content);
    });
}

} // namespace

bool ImportVersion20(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt)
{
    StoreContent content;
    if (!ReadVersion20File(WithExtension(path, "lkh"), content, prompt))
        return false;
    if (!doc.SaveModified())
        return false;

    doc.OnNewDocument();
    doc.SetTitle(UserText(CoreText::ImportedTitle));
    doc.ImportCollection(std::move(content));
    return true;
}
