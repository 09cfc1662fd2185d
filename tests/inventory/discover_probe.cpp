// Runs the adapter discovery of fccomp and prints one line per adapter
// record: node WWN|port WWN|PCI id|subsystem ids|driver|firmware|option ROM|
// model|hardware. Run under tvasim by inventory_tvasim.
#include "fchbainfo.h"

#include <cstdio>

int main()
{
    FcHbaInfoList adapters;
    DiscoverAdapters(adapters);
    for (FcHbaInfo *a : adapters) {
        printf("%s|%s|%s|%s|%s|%s|%s|%s|%s\n", a->nodeWwn, a->portWwn, a->pciId, a->subsystemIds, a->driverVersion,
               a->firmwareVersion, a->optionRomVersion, a->model, a->hardwareVersion);
        delete a;
    }
    return 0;
}
