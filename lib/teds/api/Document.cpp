#include <utility>

#include "teds/api/JsonInput.hpp"
#include "teds/api/TemplateStore.hpp"
#include "teds/encode/TedsEncoder.hpp"

namespace teds::api {

struct StatedDocument {
    encode::StatedTeds teds;
};

Document::Document() = default;
Document::Document(std::unique_ptr<StatedDocument> stated) : stated_(std::move(stated)) {}
Document::~Document() = default;
Document::Document(Document&&) noexcept = default;
Document& Document::operator=(Document&&) noexcept = default;

Encoded Document::encode(const Templates& templates, const std::vector<Setting>& settings,
                         const EncodeOptions& options) const {
    if (!stated_) {
        Encoded refused;
        refused.report.addProblem("there is no document: it was not read, or was moved to another object");
        return refused;
    }
    // Templates made by moving from another hold no store until they load.
    if (!templates.store_) return encode::encodeStated(tdl::Registry(), stated_->teds, settings, options);
    return encode::encodeStated(templates.store_->registry, stated_->teds, settings, options);
}

DocumentRead readDocument(std::string_view json) {
    document::DocumentOrError read = document::readDocument(json);
    DocumentRead result;
    result.container = read.container;
    result.style = read.style;
    result.problems = std::move(read.problems);
    if (result.ok()) result.document = Document(std::make_unique<StatedDocument>(StatedDocument{std::move(read.teds)}));
    return result;
}

}  // namespace teds::api
