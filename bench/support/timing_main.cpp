#include "support/timing.h"

int main(int argc, char** argv) { return RunTimingCases(argc > 1 ? argv[1] : ""); }
