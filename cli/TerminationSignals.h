// What zelvane-cli does when it is asked to end before its work is done.
#pragma once

// From now on a request to terminate (an interrupt, a termination or a hang-up) first removes
// the leftovers of the work under way (jww/leftovers.h), then ends the program as the request
// would have. Call first thing in main, before any other thread starts.
void RemoveLeftoversOnTermination();
