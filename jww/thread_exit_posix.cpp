#include "jww/thread_exit.h"

#include <utility>
#include <vector>

namespace {

struct TThreadObjects {
    std::vector<std::pair<void*, void (*)(void*)>> Objects;

    ~TThreadObjects()
    {
        for (auto object = Objects.rbegin(); object != Objects.rend(); ++object)
            object->second(object->first);
    }
};

}  // namespace

void DestroyAtThreadExit(void* object, void (*destroy)(void*))
{
    thread_local TThreadObjects objects;
    objects.Objects.emplace_back(object, destroy);
}
