// Writing a whole file so that it is either left as it was or holds all of the new bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Writes bytes to a new file beside path and renames it to path, over a file there only when
// replace is set. Raises std::runtime_error, with nothing left behind, when any step fails.
void WriteFileAtomically(const std::string& path, std::string_view bytes, bool replace);

// A new file beside a target, with the permissions of an ordinary new file, that takes the
// target's place once it is complete; removed when it never does, and when the program is
// ended by a signal before.
class TTempSibling {
public:
    // Raises std::runtime_error when no file can be created beside target.
    explicit TTempSibling(const std::string& target);
    TTempSibling(const TTempSibling&) = delete;
    TTempSibling& operator=(const TTempSibling&) = delete;
    ~TTempSibling();

    int Descriptor() const { return Fd; }
    const std::string& Path() const { return Name; }

    void Write(std::string_view bytes);
    // Makes the bytes durable and puts the file in the target's place.
    void CommitAs(const std::string& target, bool replace);
    // Closes the file, which is made durable later with others (MakeDurable).
    void Close();
    // Puts the closed file in the target's place once it is durable.
    void PlaceAs(const std::string& target, bool replace);

private:
    // Set while Name is made.
    int Fd = -1;
    bool Placed = false;
    std::string Name;
};

// Makes everything written to the file systems of the given folders durable, with one sync
// for each, and then the names in the folders: making every small file durable on its own
// costs many times writing it. Raises std::runtime_error when a folder cannot be synced.
void MakeFoldersDurable(const std::vector<std::string>& folders);
