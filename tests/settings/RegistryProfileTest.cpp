// Tests of the registry profile.
#include "settings/RegistryProfile.h"

#include "settings/Preferences.h"
#include "settings/RegistryKey.h"

#include <gtest/gtest.h>

// Runs against the in-memory registry here and the real one under Wine.
class RegistryProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegistryKey::ResetMemoryRegistry();
        Clear();
    }
    void TearDown() override { Clear(); }

    static void Clear()
    {
        RegistryKey key;
        ASSERT_EQ(key.Open(RegistryRoot::CurrentUser, kPath), kRegistryOk);
        for (const char* name : {"Number", "Text", "Long", "Exact", "One Instance"})
            key.DeleteValue(name);
    }

    static constexpr const char* kPath = "Software\\Quillmere\\LinkhiveTest\\Settings";
};

TEST_F(RegistryProfileTest, KeyReadsLeaveTheDestinationOnFailure)
{
    RegistryKey key;
    ASSERT_EQ(key.Open(RegistryRoot::CurrentUser, kPath), kRegistryOk);
    EXPECT_TRUE(key.IsOpen());
    EXPECT_EQ(key.Path(), kPath);

    uint32_t number = 99;
    std::string text = "kept";
    EXPECT_NE(key.ReadDword("Number", number), kRegistryOk);
    EXPECT_NE(key.ReadString("Text", text), kRegistryOk);
    EXPECT_EQ(number, 99u);
    EXPECT_EQ(text, "kept");

    EXPECT_EQ(key.WriteDword("Number", 0xDEADBEEF), kRegistryOk);
    EXPECT_EQ(key.WriteString("Text", "hello"), kRegistryOk);
    // A value of the other type is not read as this one.
    EXPECT_NE(key.ReadDword("Text", number), kRegistryOk);
    EXPECT_NE(key.ReadString("Number", text), kRegistryOk);
    EXPECT_EQ(number, 99u);
    EXPECT_EQ(text, "kept");

    EXPECT_EQ(key.ReadDword("Number", number), kRegistryOk);
    EXPECT_EQ(key.ReadString("Text", text), kRegistryOk);
    EXPECT_EQ(number, 0xDEADBEEFu);
    EXPECT_EQ(text, "hello");

    key.Close();
    key.Close();
    EXPECT_FALSE(key.IsOpen());
    EXPECT_NE(key.ReadDword("Number", number), kRegistryOk);
}

TEST_F(RegistryProfileTest, ReadStringTakesAtMost260Characters)
{
    RegistryKey key;
    ASSERT_EQ(key.Open(RegistryRoot::CurrentUser, kPath), kRegistryOk);
    const std::string exact(260, 'e');
    const std::string longer(261, 'l');
    key.WriteString("Exact", exact);
    key.WriteString("Long", longer);

    std::string text = "kept";
    EXPECT_EQ(key.ReadString("Exact", text), kRegistryOk);
    EXPECT_EQ(text, exact);
    text = "kept";
    EXPECT_NE(key.ReadString("Long", text), kRegistryOk);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(key.ReadLongString("Long", text), kRegistryOk);
    EXPECT_EQ(text, longer);
    text = "kept";
    EXPECT_NE(key.ReadLongString("Long", text, 100), kRegistryOk);
    EXPECT_EQ(text, "kept");
}

TEST_F(RegistryProfileTest, ProfileRoundTripsThroughTheKeyOfItsSection)
{
    RegistryProfile profile("Quillmere", "LinkhiveTest");
    EXPECT_EQ(profile.SectionPath("Settings"), kPath);
    EXPECT_EQ(profile.GetProfileInt("Settings", "Number", 17), 17u);
    EXPECT_EQ(profile.GetProfileString("Settings", "Text", "fallback"), "fallback");

    profile.WriteProfileInt("Settings", "Number", 4);
    profile.WriteProfileString("Settings", "Text", std::string(1000, 't'));
    EXPECT_EQ(profile.GetProfileInt("Settings", "Number", 17), 4u);
    EXPECT_EQ(profile.GetProfileString("Settings", "Text", ""), std::string(1000, 't'));
    // A number asked for as text, or text as a number, gives the default.
    EXPECT_EQ(profile.GetProfileInt("Settings", "Text", 17), 17u);
    EXPECT_EQ(profile.GetProfileString("Settings", "Number", "fallback"), "fallback");

    RegistryKey key;
    ASSERT_EQ(key.Open(RegistryRoot::CurrentUser, kPath), kRegistryOk);
    uint32_t number = 0;
    EXPECT_EQ(key.ReadDword("number", number), kRegistryOk);  // names ignore letter case
    EXPECT_EQ(number, 4u);
}

TEST_F(RegistryProfileTest, StartUpReadsOneInstanceFromTheSettingsKey)
{
#ifdef _WIN32
    // The program's own key belongs to the application tests that may run beside these.
    GTEST_SKIP();
#endif
    RegistryKey key;
    ASSERT_EQ(key.Open(RegistryRoot::CurrentUser, kSettingsKeyPath), kRegistryOk);
    EXPECT_EQ(ReadOneInstanceAtStartUp(), 0u);
    key.WriteDword("One Instance", 1);
    EXPECT_EQ(ReadOneInstanceAtStartUp(), 1u);
    // The same value the profile writes under "Software\Quillmere\Linkhive".
    RegistryProfile profile;
    profile.WriteProfileInt(kSettingsSection, "One Instance", 0);
    EXPECT_EQ(ReadOneInstanceAtStartUp(), 0u);
}
