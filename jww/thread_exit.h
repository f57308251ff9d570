// Objects that belong to one thread and go when it ends. A thread_local object with a
// destructor cannot serve on every system: where thread storage is emulated (mingw-w64), the
// storage may be freed before the destructor runs.
#pragma once

// Calls destroy(object) when the calling thread ends, objects registered later first.
void DestroyAtThreadExit(void* object, void (*destroy)(void*));
