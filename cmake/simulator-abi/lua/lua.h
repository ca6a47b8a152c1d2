// The simulator's headers include <lua/lua.h>, but its SDK keeps the Lua headers
// in a folder named Lua: on a case-sensitive file system that include needs this
// redirection.
#pragma once
#include <Lua/lua.h>
