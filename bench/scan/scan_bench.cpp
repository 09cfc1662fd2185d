// Times tval_adapter_scan on the emulated host it runs in, and the
// configuration cycles (load, look up, sync of /etc/tva.conf) that the scan
// runs once per adapter and once per function. Run by bench/scan.sh.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "tva_status.h"
#include "tval.h"
#include "tval_adapter.h"
#include "tval_config.h"

namespace {

double now_ms()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

int main(int argc, char **argv)
{
    // Outside the emulated host the cycles below would rewrite the real file.
    if (!getenv("UMOCKDEV_DIR")) {
        fprintf(stderr, "scan_bench: run me under tvasim (bench/scan.sh)\n");
        return 2;
    }
    int rounds = argc > 1 ? atoi(argv[1]) : 20;
    if (rounds < 1)
        rounds = 1;
    tval_libinit(tva_aen_app_tvcli);

    // The first scan registers every function (each cycle writes the file);
    // later scans find them registered and leave the file alone.
    double t0 = now_ms();
    int adapters = tval_adapter_scan();
    double first_ms = now_ms() - t0;
    t0 = now_ms();
    for (int r = 0; r < rounds; r++)
        adapters = tval_adapter_scan();
    double scan_ms = (now_ms() - t0) / rounds;
    int functions = tval_ioc_get_num();
    if (adapters <= 0) {
        fprintf(stderr, "scan_bench: no adapter found (status %d)\n", tval_get_last_error());
        return 1;
    }

    // The same cycles as a scan runs them: on a file that already holds
    // every record, and on an empty file (each cycle then writes it).
    tval_t *list = tval_ioc_get_list();
    const char *path = tval_get_cfg_path();
    auto cycles = [&]() -> bool {
        for (int a = 1; a <= adapters; a++) {
            if (tval_config_load(path) != TVA_STATUS_OK)
                return false;
            if (tval_config_ad_lookup(tval_adapter_get_by_idx(a)->serial_num) < 0)
                tval_config_ad_add(tval_adapter_get_by_idx(a)->serial_num);
            tval_config_sync(path);
        }
        for (tval_t *ioc = list; ioc; ioc = ioc->next) {
            if (tval_config_load(path) != TVA_STATUS_OK)
                return false;
            if (ioc->ioc_type == TVA_IOC_TYPE_LL) {
                if (tval_config_ethioc_lookup(ioc->mac) < 0)
                    tval_config_ethioc_add(ioc->mac);
            } else if (tval_config_ioc_lookup(ioc->pwwn) < 0) {
                tval_config_ioc_add(ioc->pwwn);
            }
            tval_config_sync(path);
        }
        return true;
    };
    t0 = now_ms();
    for (int r = 0; r < rounds; r++)
        if (!cycles())
            return 1;
    double cfg_ms = (now_ms() - t0) / rounds;
    double fresh_ms = 0;
    for (int r = 0; r < rounds; r++) {
        if (FILE *f = fopen(path, "w"))
            fclose(f);
        t0 = now_ms();
        if (!cycles())
            return 1;
        fresh_ms += now_ms() - t0;
    }
    fresh_ms /= rounds;
    printf("functions %3d  adapters %2d  config cycles %3d per scan\n"
           "  first scan  %8.2f ms; config cycles on an empty file %8.2f ms (%.0f%% of it)\n"
           "  later scans %8.2f ms (%.3f ms per function); config cycles %8.2f ms (%.0f%%)\n",
           functions, adapters, adapters + functions, first_ms, fresh_ms,
           100.0 * fresh_ms / first_ms, scan_ms, scan_ms / functions, cfg_ms,
           100.0 * cfg_ms / scan_ms);
    tval_adapter_free();
    return 0;
}
