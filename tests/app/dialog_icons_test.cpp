// Dialog icons against the simulated system: one handle per icon for the
// life of the process, however often dialogs open.
#include <gtest/gtest.h>

#include <set>

#include "app/dialog_icons.h"
#include "platform/icons.h"
#include "platform/sim/sim.h"

// Each case follows the previous one's release, so it also shows that icons
// released are extracted afresh.
TEST(DialogIcons, EveryOpeningReusesItsIconAndAMissingOneCostsNothing) {
    const IconSource sources[] = {{"shell32.dll", 73},  {"shell32.dll", 133}, {"imageres.dll", 272},
                                  {"shell32.dll", 160}, {"shell32.dll", 158}, {"shell32.dll", 57}};
    constexpr int kSources = 6;
    struct { const char* system; unsigned shell32, imageres; std::set<int> present; } cases[] = {
        {"every icon", 184, 300, {0, 1, 2, 3, 4, 5}},  // positions in `sources`
        {"Wine's libraries", 184, 0, {0, 1, 3, 4, 5}},
        {"a short shell32", 100, 0, {0, 5}},
        {"no icons", 0, 0, {}},
    };
    ReleaseDialogIcons();  // whatever tests before took
    for (const auto& c : cases) {
        sim::Reset();
        sim::SetIconLibrary("shell32.dll", c.shell32);
        sim::SetIconLibrary("imageres.dll", c.imageres);
        platform::IconHandle first[kSources] = {};
        for (int opening = 0; opening < 1000; ++opening) {
            for (int kind = 0; kind < kSources; ++kind) {
                platform::IconHandle icon = DialogIcon(sources[kind]);
                if (opening == 0) first[kind] = icon;
                ASSERT_EQ(icon, first[kind]) << c.system << " kind " << kind << " opening " << opening;
                ASSERT_EQ(icon != nullptr, c.present.count(kind) == 1) << c.system << " kind " << kind;
            }
            ASSERT_EQ(sim::LiveIcons(), c.present.size()) << c.system << " opening " << opening;
        }
        // A missing icon is asked for once, not at every opening.
        EXPECT_EQ(sim::CallNames().size(), size_t{kSources}) << c.system;
        ReleaseDialogIcons();
        EXPECT_EQ(sim::LiveIcons(), 0u) << c.system;
        for (int kind : c.present) EXPECT_FALSE(platform::DestroyIcon(first[kind])) << c.system << kind;
    }
}
