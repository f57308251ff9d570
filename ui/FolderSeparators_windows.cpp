#include "ui/FolderSeparators.h"

std::string_view FolderSeparators()
{
    return "/\\";
}
