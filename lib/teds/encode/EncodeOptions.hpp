#pragma once
// What a person asks of an encode, and what it tells them back.

#include <string>
#include <vector>

#include "teds/types/PropertyDescription.hpp"

namespace teds::encode {

// One NAME=VALUE. A property inside a struct array element is named
// ARRAY[i].NAME, i counting from 0; a struct array's own name sets its number
// of elements, a select case's name its case (by the case's name or index).
// A name is set in every template of the image that declares it.
struct Setting {
    std::string name;
    std::string value;
};

struct EncodeOptions {
    types::Access access = types::Access::Id;  // settings may change this level and the ones below it
    bool strict = false;                       // refuse a real off its field's grid instead of moving it
};

// Problems stop the image being written; notes do not.
struct EncodeReport {
    std::vector<std::string> problems;
    std::vector<std::string> notes;

    bool ok() const { return problems.empty(); }
};

}  // namespace teds::encode
