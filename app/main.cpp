// Entry point of Quorvane. Until the window system lands it only reports
// what it is.
#include <cstdio>

int main() {
  std::puts("Quorvane 1.2: the window is not built yet.");
  return 0;
}
