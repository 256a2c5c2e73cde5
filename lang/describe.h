// The one export of a language library: the name of its language, a constant text inside
// the library that callers copy before they unload it.
#ifndef CARTULAN_LANG_DESCRIBE_H
#define CARTULAN_LANG_DESCRIBE_H

#define LANG_DESCRIBE_EXPORT "Describe"

extern "C" {
typedef const char* (__stdcall* DescribeProc)(void);
}

#endif
