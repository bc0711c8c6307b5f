// Collector of the router-wide IS-IS service: one batch of five commands,
// read into a CScoutCiscoService and a CScoutCiscoPseudoNodeLSP that it leaves
// in the entity's mediation data.
#pragma once

#include <memory>
#include <string>

#include "CScoutQuillonProfile.h"

class CZanRecord;
class CZanAtomVector;
class CZanRegex;
class CScoutStdRequester;
class CScoutMediationData;
class CScoutCiscoService;
class CScoutCiscoPseudoNodeLSP;

class CScoutCiscoServiceData {
public:
    explicit CScoutCiscoServiceData(
        const CScoutQuillonProfile& profile = CScoutQuillonProfile::Classic());
    ~CScoutCiscoServiceData();
    CScoutCiscoServiceData(const CScoutCiscoServiceData&) = delete;
    CScoutCiscoServiceData& operator=(const CScoutCiscoServiceData&) = delete;

    // Runs the batch, parses it and stores "isisService" and
    // "isisPseudoNodeLSP". True when the router answered and the last parse
    // step's pattern compiled.
    bool ObtainData(CZanRecord& ne, CScoutStdRequester& requester, CScoutMediationData& md);

    // Parse steps: the answer text (or null), the object to fill, and the
    // collector's success flag.
    void BuildServiceId(const char* text, CScoutCiscoService* service, bool* success);
    void BuildNetAddr(const char* text, CScoutCiscoService* service, bool* success);
    void BuildHostname(const char* text, CScoutCiscoService* service, bool* success);
    void BuildDIS(const char* text, CScoutCiscoService* service, bool* success);
    void BuildPseudoNode(const char* text, CScoutCiscoPseudoNodeLSP* pseudoNode, bool* success);

private:
    friend class ServiceDataProbe; // white-box tests

    // Compiled patterns of the parse steps: when the pattern did not compile,
    // clears the flag, reports the step's error and returns false; otherwise
    // sets the flag and returns true.
    static bool CompileStep(const CZanRegex& regex, int line, const char* message, bool* success);

    // Parse anchors, built when the module loads.
    static const std::string m_ServiceIdAnchor;  // "IS-IS Router:"
    static const std::string m_NetAddrAnchor;    // "NET:"
    static const std::string m_HostnameAnchor;   // "*"
    static const std::string m_PseudoNodeAnchor; // "IS-IS"

    const CScoutQuillonProfile& m_Profile;
    // The requester's answers; the texts the parse steps read point into it.
    std::unique_ptr<CZanAtomVector> m_Answers;
};
