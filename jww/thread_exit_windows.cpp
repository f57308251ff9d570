#include "jww/thread_exit.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace {

using TThreadObjects = std::vector<std::pair<void*, void (*)(void*)>>;

// Windows calls it with the thread's list when the thread ends.
void NTAPI DestroyThreadObjects(void* list)
{
    auto* objects = static_cast<TThreadObjects*>(list);
    if (!objects)
        return;
    for (auto object = objects->rbegin(); object != objects->rend(); ++object)
        object->second(object->first);
    delete objects;
}

DWORD ThreadObjectsIndex()
{
    static const DWORD index = FlsAlloc(&DestroyThreadObjects);
    return index;
}

}  // namespace

void DestroyAtThreadExit(void* object, void (*destroy)(void*))
{
    auto* objects = static_cast<TThreadObjects*>(FlsGetValue(ThreadObjectsIndex()));
    if (!objects) {
        objects = new TThreadObjects;
        FlsSetValue(ThreadObjectsIndex(), objects);
    }
    objects->emplace_back(object, destroy);
}
