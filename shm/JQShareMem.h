#pragma once
// Named one-word flags that several processes see and that outlive the process that set them,
// until they are removed or the machine restarts. Every call opens the named object, works on it
// and closes it again; no call takes a lock, and none throws.

#define JQSHAREMEM_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

// Sets every byte of the 4-byte flag `name` to the low byte of `value`, creating it when missing.
// 0 when written; -1 for a null or empty name or any failure.
JQSHAREMEM_API int JQ_ShareMemWrite(const char* name, int value);

// *isSet becomes 1 when the flag exists, is not empty and every byte of it is 1, else 0; returns 0.
// A null or empty name returns -1 with *isSet 1; a null isSet returns -1 and writes nothing.
JQSHAREMEM_API int JQ_ShareMemRead(const char* name, int* isSet);

// Removes the flag: 0 when it was removed; -1 when it was not, or for a null or empty name.
JQSHAREMEM_API int JQ_ShareMemDele(const char* name);

#ifdef __cplusplus
}
#endif
