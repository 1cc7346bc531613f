// The settings contract against the memory store.
#include "settings/MemoryKeyStore.h"

std::unique_ptr<settings::KeyStore> MakeContractStore() { return std::make_unique<settings::MemoryKeyStore>(); }

#include "../shared/settings_contract.h"
