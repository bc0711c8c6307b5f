// Utility functions the host offers agents.
//
// Threads: the functions keep no state of their own and may run on several
// threads at once, each on objects that only its thread uses.
#pragma once

#include <string>

#include "HostApi.h"

class CZanRecord;
class CZanTreeList;
class CZanASN1Address;
class CScoutStdRequester;
class CScoutMediationData;

// Walks an SNMP column of the entity's device through the requester and
// stores the walk in the mediation data under the column name. Returns 1 when
// it stored the walk, 0 when the walk failed (nothing is stored then).
HOST_API int SAUFStoreSnmpList(CZanRecord* ne, CScoutStdRequester* requester, const char* column,
                               CScoutMediationData* md);

// Builds a new tree list over the walk stored under the column name and
// stores it through *tree (null when there is no such walk). Each entry's
// data is the walk's CZanSnmpVarOp, which the walk keeps owning.
//   keyByIndex false: entries are keyed by walk position 0, 1, ... so every
//     row is present in walk order; true: keyed by each row's first index
//     component, rows without an index left out.
//   stringsOnly true: rows whose value is not a string are left out.
// Returns 1 when a tree was built. The caller deletes the tree.
HOST_API int SAUFWrapSNMPInTreeList(const char* column, bool keyByIndex, CScoutMediationData* md,
                                    CZanTreeList** tree, bool stringsOnly);

// Looks for the first row, in key order, whose value is a string equal to
// name byte for byte. When that row has an index, *index points at it (the
// walk keeps owning it); otherwise, or when no row matches, *index is null.
HOST_API void SAUFGetIndexFromSnmpTreeList(const char* name, CZanTreeList* tree,
                                           CZanASN1Address** index);

// The entity's identifier as a C string (it ends at its first NUL).
HOST_API const char* SAUFGetEntityIdentifier(CZanRecord* ne);

// Deletes a tree list (null is fine) and leaves the entries' data alone.
HOST_API void SAUFSoftDeleteTree(CZanTreeList* tree);

// Appends value in decimal to text.
HOST_API void SAUFAppendIntToString(std::string& text, int value);
