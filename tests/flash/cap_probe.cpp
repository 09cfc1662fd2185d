// Test helper: scans the (emulated) host and prints, for adapter 1, the
// status and mask of tval_flash_read_adapter_capability:
//   <status> <mask in hex>
#include <cstdio>

#include "tval_adapter.h"
#include "tval_flash.h"

int main()
{
    tval_libinit(0);
    if (tval_adapter_scan() < 1) {
        printf("scan failed %d\n", tval_get_last_error());
        return 1;
    }
    tval_t *ioc = tval_adapter_get_first_ioc(tval_adapter_get_by_idx(1));
    uint32_t mask = 0;
    int rc = ioc ? tval_flash_read_adapter_capability(ioc, &mask) : -1;
    printf("%d %x\n", rc, mask);
    tval_adapter_free();
    return 0;
}
