#include "teds/decode/ChainTrace.hpp"

#include <ostream>

#include "teds_chain_format.hpp"

namespace teds::decode {

void writeBasicTedsTrace(std::ostream& out, const BasicTeds& basic) {
    out << "Basic TEDS: Mfgr " << basic.manufacturerId << "; Model " << basic.modelNumber << '-' << basic.versionLetter
        << '-' << basic.versionNumber << "; Serial " << basic.serialNumber << '\n';
}

void writeTrace(std::ostream& out, const BasicTeds& basic, const ChainTrace& trace) {
    writeBasicTedsTrace(out, basic);
    for (const TraceStep& step : trace.steps) {
        out << "Next Descriptor = " << step.selector << '\n';
        switch (step.selector) {
        case chain::kIeeeSelector: out << "Next: IEEE template\n"; break;
        case chain::kManufacturerSelector: out << "Next: Manufacturer template\n"; break;
        case chain::kUserSelector:
            out << "Next: User or different manufacturer template\n"
                << "  Use: " << static_cast<std::int32_t>(step.user.useCode) << " (mfgr=" << step.user.manufacturer
                << ")\n";
            break;
        default: out << "Next: Extended (Freeform? " << (step.extendedBit == 0 ? 1 : 0) << ")\n"; break;
        }
        if (step.selector == chain::kIeeeSelector || step.selector == chain::kManufacturerSelector) {
            out << "  Template ID: " << step.record.keyText() << '\n';
            step.record.dump(out, "% ");
        }
    }
}

}  // namespace teds::decode
