/* Readers of the two ustar levels of a boot image file. */
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include "tval_boot.h"

int tval_tar_member_size(const tar_header_t *hdr, long *size)
{
    long value = 0;
    for (size_t i = 0; i < sizeof(hdr->filesize) && hdr->filesize[i] != '\0'; i++) {
        char c = hdr->filesize[i];
        /* Any other character would turn into a bogus length and a
         * misplaced next header, so the archive is refused instead. */
        if (c < '0' || c > '7')
            return TVA_STATUS_BAD_FILE;
        value = value * 8 + (c - '0');
        if (value > INT_MAX)
            return TVA_STATUS_BAD_FILE;
    }
    *size = value;
    return TVA_STATUS_OK;
}

static long tar_file_length(FILE *fp)
{
    long here = ftell(fp);
    if (here < 0 || fseek(fp, 0, SEEK_END) != 0)
        return -1;
    long len = ftell(fp);
    if (fseek(fp, here, SEEK_SET) != 0)
        return -1;
    return len;
}

int tval_tar_read_member(FILE *fp, long offset, tar_header_t *hdr, uint8_t **data,
                         long *size, long *next, int *end)
{
    *end = 0;
    *data = nullptr;
    *size = 0;

    long flen = tar_file_length(fp);
    if (flen < 0 || offset < 0 || offset > flen || fseek(fp, offset, SEEK_SET) != 0)
        return TVA_STATUS_BAD_FILE;
    if (fread(hdr, 1, sizeof(*hdr), fp) != sizeof(*hdr))
        return TVA_STATUS_BAD_FILE;
    if (hdr->filename[0] == '\0') {
        *end = 1;
        return TVA_STATUS_OK;
    }
    if (memcmp(hdr->magic, "ustar", 5) != 0)
        return TVA_STATUS_BAD_FILE;

    long len;
    int rc = tval_tar_member_size(hdr, &len);
    if (rc != TVA_STATUS_OK)
        return rc;
    /* A size beyond the file would only end in a short read; refusing it
     * first keeps a forged header from asking for gigabytes. */
    if (len > flen - offset - TVAL_TAR_BLOCK)
        return TVA_STATUS_BAD_FILE;

    uint8_t *buf = static_cast<uint8_t *>(malloc(len > 0 ? (size_t)len : 1));
    if (!buf)
        return TVA_STATUS_ENOMEM;
    if (len > 0 && fread(buf, 1, (size_t)len, fp) != (size_t)len) {
        free(buf);
        return TVA_STATUS_BAD_FILE;
    }
    *data = buf;
    *size = len;
    *next = offset + TVAL_TAR_BLOCK + (len + TVAL_TAR_BLOCK - 1) / TVAL_TAR_BLOCK * TVAL_TAR_BLOCK;
    return TVA_STATUS_OK;
}

void tval_free_imagefiledata(IMAGEFILE_DATA_T *images, int count)
{
    if (!images)
        return;
    for (int i = 0; i < count; i++)
        if (images[i].ialloc)
            free(images[i].ibuf);
    free(images);
}

static void tar_copy_name(char *dst, const tar_header_t *hdr)
{
    /* The field may fill all 100 bytes without a terminator. */
    size_t n = strnlen(hdr->filename, sizeof(hdr->filename) - 1);
    memcpy(dst, hdr->filename, n);
    dst[n] = '\0';
}

int tval_read_image_archive(FILE *fp, IMAGEFILE_DATA_T **images, int *count)
{
    tar_header_t hdr;
    uint8_t *data;
    long size, next = 0, offset = 0;
    int end, rc, n = 0;

    *images = nullptr;
    *count = 0;

    /* First walk: count the members and check every header and size. */
    for (;;) {
        rc = tval_tar_read_member(fp, offset, &hdr, &data, &size, &next, &end);
        if (rc != TVA_STATUS_OK)
            return rc;
        if (end)
            break;
        free(data);
        if (n == INT_MAX)
            return TVA_STATUS_BAD_FILE;
        n++;
        offset = next;
    }
    if (n == 0)
        return TVA_STATUS_BAD_FILE;

    IMAGEFILE_DATA_T *arr = static_cast<IMAGEFILE_DATA_T *>(calloc((size_t)n, sizeof(*arr)));
    if (!arr)
        return TVA_STATUS_ENOMEM;

    offset = 0;
    for (int i = 0; i < n; i++) {
        rc = tval_tar_read_member(fp, offset, &hdr, &data, &size, &next, &end);
        if (rc == TVA_STATUS_OK && end)
            rc = TVA_STATUS_BAD_FILE; /* the file changed under us */
        if (rc != TVA_STATUS_OK) {
            tval_free_imagefiledata(arr, i);
            return rc;
        }
        tar_copy_name(arr[i].iname, &hdr);
        arr[i].ibuf = data;
        arr[i].isize = (int)size;
        arr[i].ialloc = true;
        offset = next;
    }
    *images = arr;
    *count = n;
    return TVA_STATUS_OK;
}

/* Finds "<hash>" in a member that is not NUL-terminated. */
static const uint8_t *find_hash_tag(const uint8_t *data, size_t len)
{
    static const char tag[] = "<hash>";
    const size_t tlen = sizeof(tag) - 1;
    for (size_t i = 0; i + tlen <= len; i++)
        if (memcmp(data + i, tag, tlen) == 0)
            return data + i + tlen;
    return nullptr;
}

/* Writes the image archive to a fresh temporary file and reopens it. */
static int write_temp_archive(const char *tmpname, const uint8_t *data, long size, FILE **img)
{
    /* Refuse to follow a link planted under the predictable name. */
    int fd = open(tmpname, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return TVA_STATUS_CREATE_FILE;
    long done = 0;
    while (done < size) {
        ssize_t w = write(fd, data + done, (size_t)(size - done));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            close(fd);
            unlink(tmpname);
            return TVA_STATUS_CREATE_FILE;
        }
        done += w;
    }
    if (close(fd) != 0) {
        unlink(tmpname);
        return TVA_STATUS_CREATE_FILE;
    }
    *img = fopen(tmpname, "rb");
    if (!*img) {
        unlink(tmpname);
        return TVA_STATUS_CREATE_FILE;
    }
    return TVA_STATUS_OK;
}

int tval_check_file_contains_tar(const char *filename, FILE **img, int *tmp_made, char tmpname[256])
{
    tar_header_t hdr;
    uint8_t *first = nullptr, *second = nullptr;
    long first_size, second_size, next, unused;
    int end, rc;
    char digest[32];
    char name[sizeof(hdr.filename)];

    *img = nullptr;
    *tmp_made = 0;
    snprintf(tmpname, 256, "tmp_%x", (unsigned)(uintptr_t)pthread_self());

    FILE *fp = fopen(filename, "rb");
    if (!fp)
        return TVA_STATUS_FAILED;

    /* An all-zero first block has no "ustar" either, so end is never set. */
    rc = tval_tar_read_member(fp, 0, &hdr, &first, &first_size, &next, &end);
    if (rc == TVA_STATUS_OK && end)
        rc = TVA_STATUS_BAD_FILE;
    if (rc != TVA_STATUS_OK)
        goto out;

    tar_copy_name(name, &hdr);
    if (strstr(name, "boot.txt") == nullptr) {
        rc = write_temp_archive(tmpname, first, first_size, img);
        if (rc != TVA_STATUS_OK)
            goto out;
        *tmp_made = 1;
    } else {
        *img = fopen(filename, "rb");
        if (!*img) {
            rc = TVA_STATUS_FAILED;
            goto out;
        }
    }

    tval_compute_md5_hash((size_t)first_size, first, digest);

    rc = tval_tar_read_member(fp, next, &hdr, &second, &second_size, &unused, &end);
    if (rc == TVA_STATUS_OK && end)
        rc = TVA_STATUS_BAD_FILE;
    if (rc == TVA_STATUS_OK) {
        const uint8_t *hash = find_hash_tag(second, (size_t)second_size);
        if (!hash || (size_t)(second + second_size - hash) < sizeof(digest) ||
            memcmp(hash, digest, sizeof(digest)) != 0)
            rc = TVA_STATUS_BAD_FILE;
    }

out:
    free(first);
    free(second);
    fclose(fp);
    return rc;
}
