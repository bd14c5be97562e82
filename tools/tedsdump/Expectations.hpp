#pragma once
// The sensors a rig expects, read from a CSV file: per file or per channel
// (a file's name without its extension), the manufacturer ID, model number
// and serial number it should hold.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "teds_api.hpp"

namespace tedsdump {

struct Expectation {
    std::string file;     // as the CSV names it; empty when it names a channel
    std::string channel;  // empty when it names a file
    teds::api::ExpectedSensor sensor;
};

class Expectations {
public:
    // The CSV's first record names its columns: "file" or "channel" (one at
    // least), and any of "manufacturer id", "model number" and "serial
    // number" ("manufacturer", "model", "serial" too), in any case; other
    // columns are passed over, as are empty cells. What is wrong with the
    // text, naming the line, or an empty text.
    std::string read(std::string_view csv);

    // The expectation for the image at `path`: one naming the path, or its
    // last components ("rig/ch1.hex" or "ch1.hex" for "data/rig/ch1.hex"),
    // else one naming its channel. None when none does.
    std::optional<std::size_t> find(std::string_view path) const;

    // Adds to `problems` how `found`, the Basic TEDS of the image at `path`,
    // differs from the sensor expected there; the expectation's index, or
    // none when none names the image.
    std::optional<std::size_t> check(std::string_view path, const teds::api::BasicTeds& found,
                                     std::vector<teds::api::ImageProblem>& problems) const;

    const std::vector<Expectation>& all() const { return all_; }
    bool empty() const { return all_.empty(); }

private:
    std::vector<Expectation> all_;
    std::map<std::string, std::size_t, std::less<>> byFile_;
    std::map<std::string, std::size_t, std::less<>> byChannel_;
};

// What the missing sensor was expected to be: "manufacturer ID 17, serial number 12345".
std::string expectedText(const teds::api::ExpectedSensor& sensor);

}  // namespace tedsdump
