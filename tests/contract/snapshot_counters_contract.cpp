// Process snapshots, performance counters and appending to a file, against
// the fake and real Windows.
#include <gtest/gtest.h>

#include "contract/contract.h"

namespace ks::test {
namespace {

TEST(SnapshotContract, WalksTheProcessesOnce) {
  auto machine = MakeContractMachine();
  auto& proc = machine->processes();
  const platform::ProcessHandle snap = proc.CreateToolhelp32Snapshot(platform::kTh32csSnapProcess, 0);
  ASSERT_NE(snap, 0u);
  platform::ProcessEntry entry;
  ASSERT_TRUE(proc.Process32First(snap, &entry));
  int count = 1;
  int named = entry.exe_file.empty() ? 0 : 1;
  while (proc.Process32Next(snap, &entry)) {
    ++count;
    named += entry.exe_file.empty() ? 0 : 1;
  }
  EXPECT_GE(count, 2);
  EXPECT_EQ(named, count) << "every entry has a file name";
  EXPECT_FALSE(proc.Process32Next(snap, &entry)) << "the end stays the end";
  ASSERT_TRUE(proc.Process32First(snap, &entry)) << "First starts the walk again";
  platform::ProcessEntry wrong_size;
  wrong_size.size = 200;
  EXPECT_FALSE(proc.Process32First(snap, &wrong_size));
  EXPECT_TRUE(proc.CloseHandle(snap));
}

TEST(CountersContract, UnknownCountersAndHandlesFail) {
  auto machine = MakeContractMachine();
  auto& pdh = machine->perf();
  platform::PdhHandle query = 0, counter = 0;
  ASSERT_EQ(pdh.OpenQuery(&query), platform::kPdhSuccess);
  EXPECT_NE(query, 0u);
  EXPECT_NE(pdh.AddCounter(query, "\\No Such Object(0)\\No Such Counter", &counter), platform::kPdhSuccess);
  double value = 42;
  EXPECT_NE(pdh.GetDoubleCounterValue(0, &value), platform::kPdhSuccess);
  EXPECT_EQ(value, 42) << "a failed read leaves the value";
}

TEST(AppendContract, CreatesThenAdds) {
  auto machine = MakeContractMachine();
  auto& files = machine->files();
  const std::string folder = ContractScratchFolder(files);
  const std::string path = folder + "\\log.dat";
  ASSERT_TRUE(files.AppendFile(path, "\"a\"\r\n"));
  ASSERT_TRUE(files.AppendFile(path, "\"b\"\r\n"));
  std::string bytes;
  ASSERT_TRUE(files.ReadFile(path, &bytes));
  EXPECT_EQ(bytes, "\"a\"\r\n\"b\"\r\n");
  EXPECT_FALSE(files.AppendFile(folder + "\\no such folder\\log.dat", "x"));
  EXPECT_FALSE(files.AppendFile(folder, "x")) << "a folder is no file";
  files.DeleteFile(path);
}

}  // namespace
}  // namespace ks::test
