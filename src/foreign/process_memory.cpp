#include "foreign/process_memory.h"

ForeignProcessMemory::ForeignProcessMemory() { init_process_memory_os_kind(); }

ForeignProcessMemory::ForeignProcessMemory(int os_kind) : os_kind_(os_kind) {}

void ForeignProcessMemory::init_process_memory_os_kind() { os_kind_ = rt::os_kind(); }

rt::ProcessHandle ForeignProcessMemory::open_window_process(rt::WindowHandle window) {
  // Our records would be another layout there: such a process is never opened for them.
  if (rt::window_process_not_32_bit(window)) return nullptr;
  return rt::open_process(rt::window_process_id(window), rt::kProcessAllAccess);
}

int ForeignProcessMemory::write_process_block(rt::ProcessHandle process, uintptr_t address, const void* source, int n) {
  if (n < 0) return 0;
  return rt::write_process_memory(process, address, source, static_cast<size_t>(n)) ? 1 : 0;
}

void ForeignProcessMemory::close_window_process(rt::ProcessHandle process) {
  if (!process) return;
  rt::close_handle(process);
  mapped_blocks_.clear();
}

std::vector<char> ForeignProcessMemory::read_process_block(rt::ProcessHandle process, uintptr_t address, int n) {
  if (n <= 0) return {};
  std::vector<char> bytes(static_cast<size_t>(n), '\0');
  // What cannot be read stays 0.
  rt::read_process_memory(process, address, bytes.data(), bytes.size());
  return bytes;
}

uintptr_t ForeignProcessMemory::alloc_process_block(rt::ProcessHandle process, int n) {
  if (n <= 0) return 0;
  if (os_kind_ == 3) return rt::alloc_process_memory(process, static_cast<size_t>(n));
  rt::SharedView view = rt::create_shared_view(static_cast<size_t>(n));
  if (!view.address) {
    rt::close_handle(view.mapping);
    return 0;
  }
  mapped_blocks_.push_back({view.mapping, view.address});
  return view.address;
}

int ForeignProcessMemory::free_process_block(rt::ProcessHandle process, uintptr_t address) {
  if (os_kind_ == 3) return rt::free_process_memory(process, address) ? 1 : 0;
  for (auto it = mapped_blocks_.begin(); it != mapped_blocks_.end(); ++it) {
    if (it->view != address) continue;
    rt::unmap_shared_view(it->view);
    rt::close_handle(it->mapping);
    mapped_blocks_.erase(it);
    return 1;
  }
  return 0;
}
