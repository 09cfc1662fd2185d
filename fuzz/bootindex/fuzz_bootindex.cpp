// Index (boot.txt) parser.
#include "tval_boot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CARD_DATA_T *cards;
    int count;
    if (tval_parse_boot_index(reinterpret_cast<const char *>(data), size, &cards, &count) == TVA_STATUS_OK) {
        for (int i = 0; i < count; i++)
            for (int p = 0; p < cards[i].portcnt; p++)
                (void)cards[i].port[p];
        tval_free_carddata(cards, count);
    }
    return 0;
}
