// The router's own pseudo-node LSP and the levels it was found on, and its
// record.
#pragma once

#include <string>

class CZanAtom;
class CZanVBList;

class CScoutCiscoPseudoNodeLSP {
public:
    CScoutCiscoPseudoNodeLSP();
    ~CScoutCiscoPseudoNodeLSP();
    CScoutCiscoPseudoNodeLSP(const CScoutCiscoPseudoNodeLSP&) = delete;
    CScoutCiscoPseudoNodeLSP& operator=(const CScoutCiscoPseudoNodeLSP&) = delete;

    void SetGeneratedPseudoNodeLSP(const std::string& lspId) { m_GeneratedPseudoNodeLSP = lspId; }
    void SetLevelType(const std::string& levelType) { m_LevelType = levelType; }
    const std::string& GetGeneratedPseudoNodeLSP() const { return m_GeneratedPseudoNodeLSP; }
    const std::string& GetLevelType() const { return m_LevelType; }

    // A new atom wrapping the pseudo-node record; the caller owns it.
    CZanAtom* GeneratePseudoNodeLSPData() const;

private:
    void AddGeneratedPseudoNodeLSPToList(CZanVBList* list) const;
    void AddLevelTypeToList(CZanVBList* list) const;

    std::string m_GeneratedPseudoNodeLSP;
    std::string m_LevelType;
};
