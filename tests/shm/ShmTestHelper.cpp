// lpr-shm-test-helper write <name> <value>   exit 0 when written, 1 otherwise
// lpr-shm-test-helper read <name>            exit 10 + isSet when the read returned 0, 20 + isSet otherwise

#include <cstdlib>
#include <cstring>

#include "shm/JQShareMem.h"

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "write") == 0) {
    return JQ_ShareMemWrite(argv[2], std::atoi(argv[3])) == 0 ? 0 : 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "read") == 0) {
    int isSet = -1;
    const int result = JQ_ShareMemRead(argv[2], &isSet);
    return (result == 0 ? 10 : 20) + isSet;
  }
  return 2;
}
