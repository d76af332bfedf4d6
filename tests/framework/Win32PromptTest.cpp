// Tests of the real prompt.
#include "framework/Win32Prompt.h"

#include <gtest/gtest.h>

// The dialogs themselves are never shown here: they would wait for a user.
TEST(Win32Prompt, MessageStylesPickTheirIconAndButtons)
{
    const struct {
        MessageStyle style;
        UINT flags;
    } cases[] = {
        {MessageStyle::StopOk, MB_OK | MB_ICONSTOP},
        {MessageStyle::ExclamationOk, MB_OK | MB_ICONEXCLAMATION},
        {MessageStyle::InformationOk, MB_OK | MB_ICONINFORMATION},
        {MessageStyle::QuestionOkCancel, MB_OKCANCEL | MB_ICONQUESTION},
        {MessageStyle::ExclamationYesNoCancel, MB_YESNOCANCEL | MB_ICONEXCLAMATION},
        {MessageStyle::QuestionYesNo, MB_YESNO | MB_ICONQUESTION},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageBoxFlags(c.style), c.flags) << static_cast<int>(c.style);

    EXPECT_EQ(MessageAnswerOf(IDOK), MessageAnswer::Ok);
    EXPECT_EQ(MessageAnswerOf(IDYES), MessageAnswer::Yes);
    EXPECT_EQ(MessageAnswerOf(IDNO), MessageAnswer::No);
    EXPECT_EQ(MessageAnswerOf(IDCANCEL), MessageAnswer::Cancel);
    // A box that could not be shown must not count as a yes.
    EXPECT_EQ(MessageAnswerOf(0), MessageAnswer::Cancel);
}

TEST(Win32Prompt, FilterBarsBecomeZeroBytes)
{
    using namespace std::string_literals;
    const struct {
        std::string filter;
        std::string converted;
    } cases[] = {
        {"Linkhive (*.lkh)|*.lkh|All Files (*.*)|*.*|", "Linkhive (*.lkh)\0*.lkh\0All Files (*.*)\0*.*\0\0"s},
        {"HTML (*.htm)|*.htm", "HTML (*.htm)\0*.htm\0\0"s},
        {"", "\0\0"s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommonDialogFilter(c.filter), c.converted) << c.filter;
}
