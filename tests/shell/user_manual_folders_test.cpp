#include <gtest/gtest.h>

#include "shell/user_manual.h"

namespace zav {
namespace {

using Folders = std::vector<std::filesystem::path>;

TEST(UserManualFolders, InstalledProgramLooksInItsPrefixesDocumentationFolder)
{
    EXPECT_EQ(UserManualFolders("/usr/bin", "bin", "share/doc/zav", "/home/me"),
              (Folders{"/usr/bin", "/usr/share/doc/zav", "/home/me"}));
    // Any prefix: the package's /usr, an --prefix install in the home folder.
    EXPECT_EQ(UserManualFolders("/home/me/.local/bin/", "bin", "share/doc/zav", "/tmp"),
              (Folders{"/home/me/.local/bin/", "/home/me/.local/share/doc/zav", "/tmp"}));
    EXPECT_EQ(UserManualFolders("/opt/zav/lib/x86_64/bin", "lib/x86_64/bin", "doc", "/tmp"),
              (Folders{"/opt/zav/lib/x86_64/bin", "/opt/zav/doc", "/tmp"}));
}

TEST(UserManualFolders, BuildTreeHasNoInstalledFolder)
{
    EXPECT_EQ(UserManualFolders("/src/zav/build/src/ui/shell", "bin", "share/doc/zav", "/src/zav"),
              (Folders{"/src/zav/build/src/ui/shell", "/src/zav"}));
    // Started from its own folder: that folder is looked in once.
    EXPECT_EQ(UserManualFolders("/src/zav/build", "bin", "share/doc/zav", "/src/zav/build"),
              (Folders{"/src/zav/build"}));
}

} // namespace
} // namespace zav
