#pragma once
// Memory inside another program's process: a control of that program can be handed the
// address of a record that is valid in its own address space. On the NT family the block is
// allocated in that process; on older systems it is a view of an unnamed file mapping, which
// those systems place at the same address in every process.
#include <cstdint>
#include <vector>

#include "runtime/foreign_windows.h"

// A block handed out on the file-mapping path and not yet freed.
struct MappedBlock {
  void* mapping = nullptr;
  uintptr_t view = 0;
};

class ForeignProcessMemory {
 public:
  // Built with the running system's kind.
  ForeignProcessMemory();
  // Built as if on the given system kind (1 Win32s, 2 Windows 9x, 3 NT family).
  explicit ForeignProcessMemory(int os_kind);

  // The window's process, opened with every right; 0 on failure, and for a process whose
  // pointers differ in size from ours (a 64-bit program), which our records do not fit. The
  // caller closes it with close_window_process.
  rt::ProcessHandle open_window_process(rt::WindowHandle window);
  // 1 when all n bytes were written, else 0.
  int write_process_block(rt::ProcessHandle process, uintptr_t address, const void* source, int n);
  // Closes the handle (nothing for 0) and forgets the mapped blocks; their views are neither
  // unmapped nor closed.
  void close_window_process(rt::ProcessHandle process);
  // n bytes from the address, zero-filled where nothing could be read; n <= 0 gives none.
  std::vector<char> read_process_block(rt::ProcessHandle process, uintptr_t address, int n);
  // The address of a new zero-filled block of n bytes, 0 on failure.
  uintptr_t alloc_process_block(rt::ProcessHandle process, int n);
  // NT family: whether VirtualFreeEx released it. File mapping: 1 when the address was handed
  // out (its view is unmapped and its mapping closed), 0 otherwise (nothing changes).
  int free_process_block(rt::ProcessHandle process, uintptr_t address);

  void init_process_memory_os_kind();
  int os_kind() const { return os_kind_; }
  const std::vector<MappedBlock>& mapped_blocks() const { return mapped_blocks_; }

 private:
  std::vector<MappedBlock> mapped_blocks_;
  int os_kind_ = 3;
};
