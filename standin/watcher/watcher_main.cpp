#include <iostream>

#include "WatcherLoop.h"

int main() { return korrin::standin::RunWatcher(std::cerr); }
