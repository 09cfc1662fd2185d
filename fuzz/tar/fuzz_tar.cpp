// Image archive reader and the index of its first member.
#include <cstdio>
#include <cstring>

#include "tval_boot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    FILE *fp = fmemopen(const_cast<uint8_t *>(data), size, "rb");
    if (!fp)
        return 0;
    IMAGEFILE_DATA_T *images;
    int n;
    if (tval_read_image_archive(fp, &images, &n) == TVA_STATUS_OK) {
        if (strstr(images[0].iname, "boot.txt")) {
            CARD_DATA_T *cards;
            int count;
            if (tval_parse_boot_index(reinterpret_cast<const char *>(images[0].ibuf),
                                      (size_t)images[0].isize, &cards, &count) == TVA_STATUS_OK) {
                for (int i = 0; i < count; i++)
                    tval_boot_find_image(images, n, cards[i].firmware_name);
                tval_free_carddata(cards, count);
            }
        }
        tval_free_imagefiledata(images, n);
    }
    fclose(fp);
    return 0;
}
