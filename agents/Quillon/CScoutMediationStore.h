// Typed access to the objects an entity's mediation data carries from one
// layer to the next. The store keeps pointers only; ownership passes in with
// Put and comes back out with Take.
#pragma once

#include <memory>
#include <utility>

class CScoutMediationData;

class CScoutMediationStore {
public:
    explicit CScoutMediationStore(CScoutMediationData& data);

    // Hands the object to the store under the key. A key the store already
    // holds refuses it, and the object is freed here by its own deleter.
    // True when the store took it.
    template <typename T, typename Deleter>
    bool Put(const char* key, std::unique_ptr<T, Deleter> object) {
        if (!Hold(key, object.get()))
            return false;
        object.release(); // the store holds it now
        return true;
    }

    // The object under the key, left in the store; null when there is none.
    template <typename T> const T* Peek(const char* key) const {
        return static_cast<const T*>(Find(key));
    }

    // Takes the object under the key out of the store; null when there is
    // none. The deleter frees what the caller does not hand on.
    template <typename T> std::unique_ptr<T> Take(const char* key) {
        return std::unique_ptr<T>(static_cast<T*>(Remove(key)));
    }
    template <typename T, typename Deleter>
    std::unique_ptr<T, Deleter> Take(const char* key, Deleter deleter) {
        return std::unique_ptr<T, Deleter>(static_cast<T*>(Remove(key)), std::move(deleter));
    }

private:
    bool Hold(const char* key, void* object);
    const void* Find(const char* key) const;
    void* Remove(const char* key);

    CScoutMediationData& m_Data;
};
