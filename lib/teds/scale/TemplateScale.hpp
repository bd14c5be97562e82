#pragma once
// The scale a decoded template states, found by the standard's property
// names, so that a complete template file a user loads serves as well as
// the bundled one.

#include "teds/decode/TemplateRecord.hpp"
#include "teds_scale.hpp"

namespace teds::scale {

// The scale of a standard template, with what the caller knows of the
// channel; or the reason there is none, naming what is missing.
ScaleFound scaleOfTemplate(const decode::TemplateRecord& record, const ChannelConditions& conditions);

}  // namespace teds::scale
