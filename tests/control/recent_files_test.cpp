#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "control/control_fixture.hpp"
#include "control/form_program.hpp"

namespace quarn::testing {
namespace {

using control::RecentFileList;

struct Entry {
  std::string_view path;
  std::string_view use_count = "00";
  char rank = '9';
  char mark = 'M';
};

RecentFileList make_list(std::string_view count, std::initializer_list<Entry> entries) {
  RecentFileList list;
  std::memset(&list, 'x', sizeof list);  // beyond the count: not the programs' business
  std::memcpy(list.count, count.data(), 2);
  std::size_t n = 0;
  for (const Entry& e : entries) {
    auto& to = list.entries[n++];
    frame::put_text(to.path, e.path);
    to.mark[0] = e.mark;
    std::memcpy(to.use_count, e.use_count.data(), 2);
    to.rank[0] = e.rank;
  }
  return list;
}

// The menu as "caption|rank" lines, entries 1 to `count`.
std::string menu_of(const control::FormProgram& program, std::size_t count) {
  std::string out;
  for (std::size_t n = 0; n < count; ++n) {
    const auto& e = program.recent_file_menu[n];
    out +=
        std::string(frame::trimmed(frame::ConstField(e.accelerator, 105))) + "|" + e.rank[0] + "\n";
  }
  return out;
}

std::array<char, 100> path_field(std::string_view path) {
  std::array<char, 100> field;
  frame::put_text(field, path);
  return field;
}

class RecentFilesTest : public ControlFileOnBothTest {
 protected:
  control::FormProgram program;
};

INSTANTIATE_TEST_SUITE_P(Backends, RecentFilesTest,
                         ::testing::Values(TestBackend::kSqlite, TestBackend::kPostgresql),
                         backend_name);

TEST_P(RecentFilesTest, SortMergesCompactsOrdersAndNumbers) {
  const RecentFileList list = make_list("06", {{"/data/b.org", "00", '3'},
                                               {""},
                                               {"/data/a.org", "02", '2'},
                                               {"/data/b.org", "01", '1'},
                                               {"/data/c.org", "00", '2'},
                                               {""}});
  control::quarn_io_filename_sort(program, list);
  EXPECT_EQ(menu_of(program, 6),
            "&1   /data/b.org|1\n"
            "&2   /data/a.org|2\n"
            "&3   /data/c.org|2\n"
            "&4|9\n"
            "&5|9\n"
            "&6|9\n");
  EXPECT_EQ(frame::read_signed(program.recent_file_menu[0].use_count), 1)
      << "the later entry's use count";
  EXPECT_EQ(frame::read_signed(program.recent_file_menu[1].use_count), 2);
  EXPECT_EQ(frame::trimmed(frame::ConstField(program.recent_file_menu[6].accelerator, 108)), "")
      << "entries past the count stay clear";

  // A count beyond the table, or not a number, is held to 9 or read as 0.
  const RecentFileList wide = make_list("12", {{"/x", "00", '1'}});
  control::quarn_io_filename_sort(program, wide);
  EXPECT_EQ(program.recent_file_menu[8].number[0], '9');
  const RecentFileList junk = make_list("A?", {{"/x", "00", '1'}});
  control::quarn_io_filename_sort(program, junk);
  EXPECT_EQ(program.recent_file_menu[0].accelerator[0], ' ');
}

TEST_P(RecentFilesTest, CallersOrderIsKeptForThatPreferenceAndLevel) {
  const RecentFileList list =
      make_list("03", {{"/b", "00", '3'}, {"", "00", '4'}, {"/b", "00", '1'}});
  const struct {
    std::string_view preferences;
    char level;
    std::string menu;
  } cases[] = {
      {"S Y", '5', "&1   /b|3\n&2|4\n&3   /b|1\n"},
      {"S Y", '6', "&1   /b|1\n&2|9\n&3|9\n"},
      {"S N", '0', "&1   /b|1\n&2|9\n&3|9\n"},
      {"S Y", ' ', "&1   /b|1\n&2|9\n&3|9\n"},
  };
  for (const auto& c : cases) {
    frame::put_text(misc->xm_preferences, c.preferences);
    misc->xm_level[0] = c.level;
    control::quarn_io_filename_sort(program, list);
    EXPECT_EQ(menu_of(program, 3), c.menu) << c.preferences << " level " << c.level;
  }
}

TEST_P(RecentFilesTest, RemoveTakesOutUnusedFilesAndClosesTheRanks) {
  RecentFileList list =
      make_list("04", {{"/a", "00", '1'}, {"/b", "00", '2'}, {"/c", "01", '3'}, {"/d", "00", '4'}});
  char status[2] = {'?', '?'};
  control::quarn_io_remove_filename(
      list, *reinterpret_cast<const char(*)[100]>(path_field("/b").data()), status);
  EXPECT_EQ(std::string(status, 2), "00");
  EXPECT_EQ(frame::trimmed(list.entries[1].path), "");
  EXPECT_EQ(list.entries[1].mark[0], ' ');
  std::string ranks;
  for (int i = 0; i < 4; ++i)
    ranks += list.entries[i].rank[0];
  EXPECT_EQ(ranks, "1223");

  const RecentFileList before = list;
  for (std::string_view path : {"/c", "/nowhere", ""}) {
    std::memset(status, '?', 2);
    const auto field = path_field(path);
    control::quarn_io_remove_filename(list, *reinterpret_cast<const char(*)[100]>(field.data()),
                                      status);
    EXPECT_EQ(std::string(status, 2), "00") << path;
    EXPECT_EQ(std::memcmp(&before, &list, sizeof list), 0) << path << " leaves the list alone";
  }

  // Removing a rank 0 entry: a rank that would become 0 becomes 1.
  RecentFileList zero = make_list("02", {{"/z", "00", '0'}, {"/y", "00", '1'}});
  const auto field = path_field("/z");
  control::quarn_io_remove_filename(zero, *reinterpret_cast<const char(*)[100]>(field.data()),
                                    status);
  EXPECT_EQ(zero.entries[1].rank[0], '1');
}

TEST_P(RecentFilesTest, SaveWritesOneSettingPerEntryAndDeletesEmptyOnes) {
  const char prefix[9] = {'O', 'R', 'G', '-', 'R', 'E', 'C', 'N', 'T'};
  const RecentFileList first =
      make_list("03", {{"/one", "00", '2'}, {"/two", "00", '1'}, {"/three", "00", '3'}});
  control::quarn_controls_save_file_list(program, first, prefix);
  const RecentFileList shrunk = make_list("03", {{"/two", "00", '1'}, {""}, {"/two", "00", '2'}});
  control::quarn_controls_save_file_list(program, shrunk, prefix);

  std::vector<std::string> stored;
  for (std::string_view section : {"ORG-RECNT01", "ORG-RECNT02", "ORG-RECNT03", "ORG-RECNT04"}) {
    const std::string status = request("GetUserGeneralControl", section);
    stored.push_back(status + ":" + value());
  }
  EXPECT_EQ(stored, (std::vector<std::string>{"00:/two", "23:", "23:", "23:"}));

  // With the caller's order kept, nothing is saved.
  frame::put_text(misc->xm_preferences, "S Y");
  misc->xm_level[0] = '1';
  control::quarn_controls_save_file_list(program, first, prefix);
  EXPECT_EQ(request("GetUserGeneralControl", "ORG-RECNT02"), "23");
}

}  // namespace
}  // namespace quarn::testing
