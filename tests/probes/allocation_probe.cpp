// The program itself, with the C library's allocator wrapped: once start-up
// is over, any heap allocation ends the run with exit code 99 and a message
// on standard error.
#include <unistd.h>

#include <cstddef>

#include "shell/main_menu.hpp"
#include "shell/program.hpp"

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
}

namespace {

bool menuIsRunning = false;

void refuseAfterStartUp() {
  if (!menuIsRunning) return;
  static const char message[] = "heap allocation after start-up\n";
  (void)!write(STDERR_FILENO, message, sizeof message - 1);
  _exit(99);
}

}  // namespace

extern "C" {
void* malloc(size_t size) {
  refuseAfterStartUp();
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  refuseAfterStartUp();
  return __libc_calloc(count, size);
}
void* realloc(void* pointer, size_t size) {
  refuseAfterStartUp();
  return __libc_realloc(pointer, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
  refuseAfterStartUp();
  return __libc_memalign(alignment, size);
}
}

int main() {
  Program::start();
  menuIsRunning = true;
  MainMenu::run();
}
