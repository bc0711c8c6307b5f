// Where the YAML documents of a text start. yaml-cpp 0.7's LoadAll never
// ends on a ',' outside a flow collection: it reads an empty document there,
// over and over, without moving on. Counting documents by their events,
// up to a bound, shows both that and a text of several documents.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/mark.h>

class InventoryDocuments : public YAML::EventHandler {
public:
    // The marks where the first documents of the text start, at most `most`
    // of them; two equal marks in a row are yaml-cpp stuck. Throws
    // YAML::Exception on text yaml-cpp cannot parse.
    static std::vector<YAML::Mark> Starts(const std::string& text, std::size_t most);

    void OnDocumentStart(const YAML::Mark& mark) override;
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark&, YAML::anchor_t) override {}
    void OnAlias(const YAML::Mark&, YAML::anchor_t) override {}
    void OnScalar(const YAML::Mark&, const std::string&, YAML::anchor_t,
                  const std::string&) override {}
    void OnSequenceStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                         YAML::EmitterStyle::value) override {}
    void OnSequenceEnd() override {}
    void OnMapStart(const YAML::Mark&, const std::string&, YAML::anchor_t,
                    YAML::EmitterStyle::value) override {}
    void OnMapEnd() override {}

private:
    std::vector<YAML::Mark> m_Starts;
};
