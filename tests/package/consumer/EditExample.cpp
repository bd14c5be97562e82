// Recalibrates a sensor: writes a new sensitivity, calibration date and
// initials into its image, in the container it came in, and lists what the
// written image holds. The example of the README, built against the
// installed library.
//   edit_example TEMPLATES.tdl SENSOR OUTPUT

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include <teds_edit.hpp>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    teds::edit::Templates templates;
    if (templates.loadFile(argv[1]).accepted == 0) {
        for (const teds::edit::Diagnostic& diagnostic : templates.diagnostics()) std::cerr << diagnostic.text() << '\n';
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const teds::container::ReadResult read = teds::container::readContainer(content);
    if (!read.ok()) {
        std::cerr << argv[2] << ' ' << read.error << '\n';
        return 2;
    }

    teds::edit::Teds sensor(templates, read.image);
    sensor.set("%Sens@Ref", "5.1");
    sensor.set("%CalDate", "2026-11-30");
    sensor.set("%CalInitials", "JRS");
    const teds::edit::Encoded edited = sensor.encode({teds::edit::Access::Calibration});
    for (const std::string& note : edited.report.notes) std::cerr << note << '\n';
    for (const std::string& problem : edited.report.problems) std::cerr << problem << '\n';
    if (!edited.ok()) return 2;
    std::ofstream(argv[3], std::ios::binary) << teds::container::writeContainer(edited.image, read.format);

    for (const teds::edit::Property& property : teds::edit::Teds(templates, edited.image).properties())
        std::cout << property.name << " = " << property.text << (property.unit.empty() ? "" : " ") << property.unit
                  << '\n';
    return 0;
}
