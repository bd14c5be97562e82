#pragma once
// tedsdump over many images: the list of rows, and when it is made.

#include <istream>
#include <ostream>

#include "Options.hpp"
#include "teds_api.hpp"

namespace tedsdump {

// Several images, or a folder of them, make a list; so do its options.
bool listsImages(const Options& options);

// Lists every image the options name, decoded against `templates`; the
// exit status: problems or none, or a usage error.
int listImages(const Options& options, const teds::api::Templates& templates, std::istream& in, std::ostream& out,
               std::ostream& err);

}  // namespace tedsdump
