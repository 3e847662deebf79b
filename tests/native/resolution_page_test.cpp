// Page 10: applying a listed display mode (with the three answers Windows
// may give and the restart it may ask for) and the quick picks of a size.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "form1_rig.h"

namespace ks::test {
namespace {

using platform::DisplayMode;

constexpr std::uint32_t kSizeAndDepth = platform::kDmBitsPerPel | platform::kDmPelsWidth | platform::kDmPelsHeight;
constexpr std::uint32_t kSizeOnly = platform::kDmPelsWidth | platform::kDmPelsHeight;

struct ResolutionPage : Form1Rig, ::testing::Test {
  fake::FakeDisplaySettings& display = m.modes;

  ResolutionPage() {
    display.modes = {{640, 480, 8, 60}, {800, 600, 16, 75}, {1024, 768, 32, 85}, {1280, 1024, 32, 60}};
    st.app.Title = "KestrelaneSE";
    f.Load();
    f.ActivePage = 10;
    f.ShowPage();
    m.msg.Clear();
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> shown;
    for (const auto& box : m.msg.shown())
      shown.push_back(box.text + "|" + std::to_string(box.style) + "|" + box.caption);
    return shown;
  }
};

TEST_F(ResolutionPage, ApplyWaitsForAClickIntoTheList) {
  // Listing the modes at all needs each record's size: the fake, as
  // Windows, fills no record without it.
  ASSERT_EQ(f.List2.items(), (std::vector<std::string>{"800x600x16 75Hz", "1024x768x32 85Hz", "1280x1024x32 60Hz"}));
  EXPECT_FALSE(f.Command4.Enabled());
  f.Command4.UserClick();
  EXPECT_TRUE(display.changes.empty()) << "a disabled button does nothing";
  f.List2.UserPick(0);
  EXPECT_TRUE(f.Command4.Enabled());
  f.List2.UserPick(2);
  EXPECT_TRUE(f.Command4.Enabled());
}

TEST_F(ResolutionPage, ApplySetsTheListedModeAndAnswersWhatWindowsSays) {
  const std::string restart = st.Lang(241) + "|" + std::to_string(platform::kMbOkCancel) + "|KestrelaneSE";
  const std::string failed = st.Lang(242) + "|" + std::to_string(platform::kMbOk) + "|KestrelaneSE";
  const std::string refused =
      "Windows could not be restarted. Please restart it yourself to use the new display mode.|0|KestrelaneSE";
  struct Case {
    const char* name;
    std::int16_t os_class;
    std::optional<std::int32_t> result;  // nullopt: the fake's own answer
    int answer;                          // to the restart question
    bool privilege_refused;
    std::vector<std::string> messages;
    std::vector<std::uint32_t> restarts;
    bool privilege;
  };
  const Case cases[] = {
      {"mode set", 3, std::nullopt, platform::kIdOk, false, {}, {}, false},
      {"restart wanted, OK", 3, platform::kDispChangeRestart, platform::kIdOk, false, {restart}, {2}, true},
      {"restart wanted, Cancel", 3, platform::kDispChangeRestart, platform::kIdCancel, false, {restart}, {}, false},
      {"mode refused", 3, platform::kDispChangeBadMode, platform::kIdOk, false, {failed}, {}, false},
      {"other failure", 3, platform::kDispChangeFailed, platform::kIdOk, false, {failed}, {}, false},
      // The restart failed silently without the shutdown privilege; it is
      // asked for first, and a refusal is told.
      {"restart refused on the NT family", 2, platform::kDispChangeRestart, platform::kIdOk, true, {restart, refused},
       {2}, false},
      {"Windows 9x restarts without a privilege", 0, platform::kDispChangeRestart, platform::kIdOk, false, {restart},
       {2}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    display.changes.clear();
    display.restarts.clear();
    display.has_privilege = false;
    display.needs_privilege = c.os_class != 0;
    display.privilege_refused = c.privilege_refused;
    if (c.result) display.scripted_results.push_back(*c.result);
    st.OsClass = c.os_class;
    m.msg.Clear();
    if (!c.messages.empty()) m.msg.Answer(c.answer);  // an answer no box takes would wait for the next row
    f.DisplayModes[2].fields = 0;
    f.List2.SetListIndex(-1);
    f.List2.UserPick(1);
    f.Command4.UserClick();

    ASSERT_EQ(display.changes.size(), 1u);
    const auto& change = display.changes[0];
    EXPECT_EQ(change.mode.width, 1024u) << "list entry 1 is record 2";
    EXPECT_EQ(change.mode.bits_per_pixel, 32u);
    EXPECT_EQ(change.mode.fields, kSizeAndDepth) << "the frequency is not asked for";
    EXPECT_EQ(change.mode.size, platform::kDisplayModeSize);
    EXPECT_EQ(change.flags, platform::kCdsUpdateRegistry) << "stored as the default, also when a restart follows";
    EXPECT_EQ(f.DisplayModes[2].fields, kSizeAndDepth) << "the record keeps its mask";
    EXPECT_EQ(Messages(), c.messages);
    EXPECT_EQ(display.restarts, c.restarts);
    EXPECT_EQ(display.has_privilege, c.privilege);
  }
  EXPECT_EQ(display.stored_default.width, 1024u);
}

// With no entry selected the index is -1, which once applied record 0.
TEST_F(ResolutionPage, ApplyWithNothingSelectedDoesNothing) {
  f.List2.UserPick(0);
  f.List2.SetListIndex(-1);
  ASSERT_TRUE(f.Command4.Enabled());
  f.Command4.UserClick();
  EXPECT_TRUE(display.changes.empty());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ResolutionPage, QuickPicksChangeOnlyTheSize) {
  const std::vector<std::string> sizes = {"640x480", "800x600", "1024x768", "1152x864", "1280x1024", "1600x1200"};
  for (const std::string& size : sizes) f.Combo14.AddItem(size);
  struct Case {
    std::uint32_t width, height;
  };
  const Case expected[] = {{640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {1280, 1024}, {1600, 1200}};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(sizes[static_cast<size_t>(i)]);
    display.changes.clear();
    f.Combo14.UserPick(i);
    ASSERT_EQ(display.changes.size(), 1u);
    const auto& change = display.changes[0];
    EXPECT_EQ(change.mode.width, expected[i].width);
    EXPECT_EQ(change.mode.height, expected[i].height);
    EXPECT_EQ(change.mode.fields, kSizeOnly);
    EXPECT_EQ(change.flags, 0u) << "not stored as the default";
    // The record the enumeration filled: the last mode reported. It carries
    // its size, without which Windows fills nothing and depth stays 0.
    EXPECT_EQ(change.mode.size, platform::kDisplayModeSize);
    EXPECT_EQ(change.mode.bits_per_pixel, 32u);
    EXPECT_EQ(change.mode.frequency, 60u);
  }
  EXPECT_TRUE(Messages().empty()) << "a refused size (1152x864, 1600x1200) is ignored";
  EXPECT_EQ(display.screen.width, 1280u);

  display.changes.clear();
  f.Combo14.UserType("800x600");
  ASSERT_EQ(display.changes.size(), 1u) << "typing an entry's text picks it too";
  EXPECT_EQ(display.changes[0].mode.width, 800u);
  display.changes.clear();
  f.Combo14.UserType("Select from list ...");
  f.Combo14.UserType("1024x");
  EXPECT_TRUE(display.changes.empty()) << "a text that is no entry changes nothing";
}

TEST_F(ResolutionPage, QuickPickOnADisplayWithoutModes) {
  display.modes.clear();
  f.Combo14.AddItem("640x480");
  f.Combo14.UserPick(0);
  ASSERT_EQ(display.changes.size(), 1u);
  const auto& mode = display.changes[0].mode;
  EXPECT_EQ(mode.width, 640u);
  EXPECT_EQ(mode.height, 480u);
  EXPECT_EQ(mode.bits_per_pixel, 0u);
  EXPECT_EQ(mode.frequency, 0u);
  EXPECT_EQ(mode.fields, kSizeOnly);
}

TEST_F(ResolutionPage, DesignOfThePage) {
  EXPECT_EQ(f.Combo14.Text(), "Select from list ...");
  EXPECT_EQ(f.Combo14.ListIndex(), -1);
  EXPECT_EQ(f.Label9.Caption(), st.Lang(164));
  EXPECT_LT(f.Label9.Top(), f.Combo14.Top()) << "the label heads the quick pick";
  EXPECT_EQ(f.Label9.Left(), f.Combo14.Left());
}

}  // namespace
}  // namespace ks::test
