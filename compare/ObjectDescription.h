// Where an object lies, in a few words for a person reading a list of changes: the end points
// of a line, the centre and radius of an arc, the place and text of a text. Numbers as the window
// shows them, angles in degrees; texts and block names as a save writes them, in code page 932.
#pragma once

#include <map>
#include <string>

#include "jww/jwwunit.h"

class TObjectDescriber {
public:
    explicit TObjectDescriber(const TJwwDocument& doc);

    // Raises EJwwRangeError when ref selects no object of the drawing's main list.
    std::string Describe(const TEntRef& ref) const;

private:
    std::string Describe(const TEntSen& line) const;
    std::string Describe(const TEntEnko& arc) const;
    std::string Describe(const TEntTen& point) const;
    std::string Describe(const TEntMoji& text) const;
    std::string Describe(const TEntSunpo& dimension) const;
    std::string Describe(const TEntSolid& solid) const;
    std::string Describe(const TEntBlock& insertion) const;

    const TJwwDocument& Doc;
    std::map<int32_t, const std::string*> BlockNames;  // by definition number, the first
};
