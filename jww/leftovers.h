// Files and folders that exist only while work is under way, such as the temp file of a save
// before it is put in place and a private folder of extracted images. A program that is ended
// by a signal removes them on its way out, so that nothing half-done stays behind.
#pragma once

#include <functional>
#include <string>

// Runs create, which makes a file or a folder and returns its path, and lists the path, in one
// step that RemoveLeftoversForGood cannot come between. What create raises is passed on.
std::string CreateLeftover(const std::function<std::string()>& create);

// Takes a path off the list, once its file is in place or it has been removed.
void ForgetLeftover(const std::string& path);

// Removes every listed file and folder, a folder with all it holds. Any thread that creates or
// forgets a leftover after this waits for good, so that nothing new appears while the program
// ends: for the handler of a request to terminate, which ends the program next.
void RemoveLeftoversForGood();
