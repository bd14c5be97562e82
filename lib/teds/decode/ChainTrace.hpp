#pragma once
// What the decoder met on its way down the chain, step by step, for a
// reader who follows a decode: kept as data, written as text on request.

#include <cstdint>
#include <iosfwd>
#include <vector>

#include "teds/decode/BasicTeds.hpp"
#include "teds/decode/TemplateRecord.hpp"

namespace teds::decode {

// Use codes of the 14-bit field U that follows a user-template selector.
// Only OtherManufacturer is followed by a template; the others are named
// after the values of U they stand for.
enum class UseCode : std::int32_t {
    OtherManufacturer = 0,  // U is a manufacturer ID, 17 to 16381
    Unassigned = 1,
    U1 = 2,
    U2 = 3,
    U4 = 4,
    U10Or14 = 5,
    AllOnes = 7,
};

struct UserDescriptor {
    UseCode useCode = UseCode::Unassigned;
    std::int32_t manufacturer = 0;  // meaningful for OtherManufacturer only
};

// One descriptor: its selector and what followed it.
struct TraceStep {
    std::uint32_t selector = 0;
    UserDescriptor user;            // after a user selector
    std::uint32_t extendedBit = 0;  // after an extended selector
    // After an IEEE or manufacturer selector: the template as far as it was
    // decoded, whether or not it joined the image's templates.
    TemplateRecord record;
};

struct ChainTrace {
    std::vector<TraceStep> steps;
};

// The Basic TEDS's line of a trace.
void writeBasicTedsTrace(std::ostream& out, const BasicTeds& basic);
// The Basic TEDS's line, then the lines of each step.
void writeTrace(std::ostream& out, const BasicTeds& basic, const ChainTrace& trace);

}  // namespace teds::decode
