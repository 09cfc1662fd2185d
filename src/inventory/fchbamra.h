// Walks the adapters of the HBA API libraries in /etc/hba.conf.
#pragma once

#include "fchbaadapter.h"

#include <ctime>  // <hbaapi.h> uses struct tm without including it
#include <hbaapi.h>

#include <cstddef>
#include <memory>

class FcHbaMRA {
public:
    // Loads the libraries and counts their adapters; not ready when
    // /etc/hba.conf cannot be read.
    FcHbaMRA();
    virtual ~FcHbaMRA();

    // The adapter with index 0 (or the one after `previous`), refreshed and
    // completed by its extended attributes; null after the last one. `status`
    // is the refresh result (0 or 1), 2 when no record could be allocated.
    std::unique_ptr<FcHbaAdapter> FirstAdapter(int &status);
    std::unique_ptr<FcHbaAdapter> NextAdapter(const FcHbaAdapter &previous, int &status);

    bool ready;
    HBA_UINT32 count;

private:
    std::unique_ptr<FcHbaAdapter> AdapterAt(HBA_UINT32 index, int &status);
};

constexpr size_t kExtendedMessageSize = 256;

// Asks the adapter vendor's management library for the adapter's PCI
// location and subsystem ids and copies them into the adapter when the node
// WWNs agree. Leaves a short status text in `message` (kExtendedMessageSize
// bytes); 0 when the values were copied, a negative code otherwise.
int ReadExtendedAttributes(FcHbaAdapter &adapter, char *message);
