// Test helper: scans the (emulated) host once, then resolves every line
// "class command word" read from standard input the way the dispatcher
// does, and prints one line per query:
//   <word> <result> [<what it resolved to>]
// where an IOC prints as its PCI address, an adapter as "adapter<N>", and a
// first-IOC identifier as "<PCI address> port=<p> pcifn=<f>".
#include <cstdio>
#include <cstring>

#include "tvcli.h"

static const char *Ioc(const tval_t *ioc)
{
    return ioc == nullptr ? "-" : ioc->ioc_hwpath;
}

int main()
{
    tval_libinit(0);
    int n = tval_adapter_scan();
    printf("scan %d %d\n", n, tval_get_last_error());
    bNoAd = n == 0;

    char line[512];
    while (fgets(line, sizeof(line), stdin) != nullptr) {
        char cls[64], cmd[64], word[256];
        if (sscanf(line, "%63s %63s %255s", cls, cmd, word) != 3)
            continue;
        int ci = -1, mi = -1;
        if (tvcli_get_class_id(cls, &ci) != 0 || tvcli_get_cmd_id(cmd, ci, &mi) != 0) {
            printf("%s bad-command\n", word);
            continue;
        }
        tvcli_id_t id;
        std::memset(&id, 0, sizeof(id));
        int rc = tvcli_get_id(word, ci, mi, &id);
        printf("%s %d", word, rc);
        if (rc == 0) {
            switch (tvcli_class_desc[ci].cmds[mi].id_desc) {
            case ADAPTER_ID:
                printf(" adapter%d", id.adapter->id);
                break;
            case PORT_FIRST_IOC:
                printf(" %s port=%d", Ioc(id.port_ioc.tval), id.port_ioc.port);
                break;
            case PCIFN_FIRST_IOC:
                printf(" %s port=%d pcifn=%d", Ioc(id.pfn_ioc.tval), id.pfn_ioc.port, id.pfn_ioc.pcifn);
                break;
            case PORT_ID:
            case PCIFN_ID:
            case PCIFN_ID_STRICT:
                printf(" %s", Ioc(id.tval));
                if (id.range.last != nullptr)
                    printf(" last=%s", Ioc(id.range.last));
                break;
            default:
                break;
            }
        }
        printf("\n");
    }
    tval_adapter_free();
    tval_libexit();
    return 0;
}
