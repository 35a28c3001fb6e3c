#include "grid/lattix.h"

int main() { return lattix::Lattix::Create() ? 0 : 1; }
