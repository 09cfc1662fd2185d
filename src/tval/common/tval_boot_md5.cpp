/* MD5 message digest (RFC 1321), used to check the image archive of a boot
 * image file against its hash document. */
#include <cstring>

#include "tval_boot.h"

static uint32_t md5_get32(const uint8_t *p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

static void md5_put32(uint8_t *p, uint32_t v)
{
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
    p[2] = (uint8_t)(v >> 16);
    p[3] = (uint8_t)(v >> 24);
}

void MD5Init(MD5Context *ctx)
{
    ctx->buf[0] = 0x67452301;
    ctx->buf[1] = 0xefcdab89;
    ctx->buf[2] = 0x98badcfe;
    ctx->buf[3] = 0x10325476;
    ctx->bits[0] = 0;
    ctx->bits[1] = 0;
}

#define MD5_F1(x, y, z) (z ^ (x & (y ^ z)))
#define MD5_F2(x, y, z) MD5_F1(z, x, y)
#define MD5_F3(x, y, z) (x ^ y ^ z)
#define MD5_F4(x, y, z) (y ^ (x | ~z))
#define MD5_STEP(f, w, x, y, z, data, s) \
    (w += f(x, y, z) + (data), w = (w << (s)) | (w >> (32 - (s))), w += x)

void MD5Transform(uint32_t buf[4], const uint32_t in[16])
{
    uint32_t a = buf[0], b = buf[1], c = buf[2], d = buf[3];

    MD5_STEP(MD5_F1, a, b, c, d, in[0] + 0xd76aa478, 7);
    MD5_STEP(MD5_F1, d, a, b, c, in[1] + 0xe8c7b756, 12);
    MD5_STEP(MD5_F1, c, d, a, b, in[2] + 0x242070db, 17);
    MD5_STEP(MD5_F1, b, c, d, a, in[3] + 0xc1bdceee, 22);
    MD5_STEP(MD5_F1, a, b, c, d, in[4] + 0xf57c0faf, 7);
    MD5_STEP(MD5_F1, d, a, b, c, in[5] + 0x4787c62a, 12);
    MD5_STEP(MD5_F1, c, d, a, b, in[6] + 0xa8304613, 17);
    MD5_STEP(MD5_F1, b, c, d, a, in[7] + 0xfd469501, 22);
    MD5_STEP(MD5_F1, a, b, c, d, in[8] + 0x698098d8, 7);
    MD5_STEP(MD5_F1, d, a, b, c, in[9] + 0x8b44f7af, 12);
    MD5_STEP(MD5_F1, c, d, a, b, in[10] + 0xffff5bb1, 17);
    MD5_STEP(MD5_F1, b, c, d, a, in[11] + 0x895cd7be, 22);
    MD5_STEP(MD5_F1, a, b, c, d, in[12] + 0x6b901122, 7);
    MD5_STEP(MD5_F1, d, a, b, c, in[13] + 0xfd987193, 12);
    MD5_STEP(MD5_F1, c, d, a, b, in[14] + 0xa679438e, 17);
    MD5_STEP(MD5_F1, b, c, d, a, in[15] + 0x49b40821, 22);

    MD5_STEP(MD5_F2, a, b, c, d, in[1] + 0xf61e2562, 5);
    MD5_STEP(MD5_F2, d, a, b, c, in[6] + 0xc040b340, 9);
    MD5_STEP(MD5_F2, c, d, a, b, in[11] + 0x265e5a51, 14);
    MD5_STEP(MD5_F2, b, c, d, a, in[0] + 0xe9b6c7aa, 20);
    MD5_STEP(MD5_F2, a, b, c, d, in[5] + 0xd62f105d, 5);
    MD5_STEP(MD5_F2, d, a, b, c, in[10] + 0x02441453, 9);
    MD5_STEP(MD5_F2, c, d, a, b, in[15] + 0xd8a1e681, 14);
    MD5_STEP(MD5_F2, b, c, d, a, in[4] + 0xe7d3fbc8, 20);
    MD5_STEP(MD5_F2, a, b, c, d, in[9] + 0x21e1cde6, 5);
    MD5_STEP(MD5_F2, d, a, b, c, in[14] + 0xc33707d6, 9);
    MD5_STEP(MD5_F2, c, d, a, b, in[3] + 0xf4d50d87, 14);
    MD5_STEP(MD5_F2, b, c, d, a, in[8] + 0x455a14ed, 20);
    MD5_STEP(MD5_F2, a, b, c, d, in[13] + 0xa9e3e905, 5);
    MD5_STEP(MD5_F2, d, a, b, c, in[2] + 0xfcefa3f8, 9);
    MD5_STEP(MD5_F2, c, d, a, b, in[7] + 0x676f02d9, 14);
    MD5_STEP(MD5_F2, b, c, d, a, in[12] + 0x8d2a4c8a, 20);

    MD5_STEP(MD5_F3, a, b, c, d, in[5] + 0xfffa3942, 4);
    MD5_STEP(MD5_F3, d, a, b, c, in[8] + 0x8771f681, 11);
    MD5_STEP(MD5_F3, c, d, a, b, in[11] + 0x6d9d6122, 16);
    MD5_STEP(MD5_F3, b, c, d, a, in[14] + 0xfde5380c, 23);
    MD5_STEP(MD5_F3, a, b, c, d, in[1] + 0xa4beea44, 4);
    MD5_STEP(MD5_F3, d, a, b, c, in[4] + 0x4bdecfa9, 11);
    MD5_STEP(MD5_F3, c, d, a, b, in[7] + 0xf6bb4b60, 16);
    MD5_STEP(MD5_F3, b, c, d, a, in[10] + 0xbebfbc70, 23);
    MD5_STEP(MD5_F3, a, b, c, d, in[13] + 0x289b7ec6, 4);
    MD5_STEP(MD5_F3, d, a, b, c, in[0] + 0xeaa127fa, 11);
    MD5_STEP(MD5_F3, c, d, a, b, in[3] + 0xd4ef3085, 16);
    MD5_STEP(MD5_F3, b, c, d, a, in[6] + 0x04881d05, 23);
    MD5_STEP(MD5_F3, a, b, c, d, in[9] + 0xd9d4d039, 4);
    MD5_STEP(MD5_F3, d, a, b, c, in[12] + 0xe6db99e5, 11);
    MD5_STEP(MD5_F3, c, d, a, b, in[15] + 0x1fa27cf8, 16);
    MD5_STEP(MD5_F3, b, c, d, a, in[2] + 0xc4ac5665, 23);

    MD5_STEP(MD5_F4, a, b, c, d, in[0] + 0xf4292244, 6);
    MD5_STEP(MD5_F4, d, a, b, c, in[7] + 0x432aff97, 10);
    MD5_STEP(MD5_F4, c, d, a, b, in[14] + 0xab9423a7, 15);
    MD5_STEP(MD5_F4, b, c, d, a, in[5] + 0xfc93a039, 21);
    MD5_STEP(MD5_F4, a, b, c, d, in[12] + 0x655b59c3, 6);
    MD5_STEP(MD5_F4, d, a, b, c, in[3] + 0x8f0ccc92, 10);
    MD5_STEP(MD5_F4, c, d, a, b, in[10] + 0xffeff47d, 15);
    MD5_STEP(MD5_F4, b, c, d, a, in[1] + 0x85845dd1, 21);
    MD5_STEP(MD5_F4, a, b, c, d, in[8] + 0x6fa87e4f, 6);
    MD5_STEP(MD5_F4, d, a, b, c, in[15] + 0xfe2ce6e0, 10);
    MD5_STEP(MD5_F4, c, d, a, b, in[6] + 0xa3014314, 15);
    MD5_STEP(MD5_F4, b, c, d, a, in[13] + 0x4e0811a1, 21);
    MD5_STEP(MD5_F4, a, b, c, d, in[4] + 0xf7537e82, 6);
    MD5_STEP(MD5_F4, d, a, b, c, in[11] + 0xbd3af235, 10);
    MD5_STEP(MD5_F4, c, d, a, b, in[2] + 0x2ad7d2bb, 15);
    MD5_STEP(MD5_F4, b, c, d, a, in[9] + 0xeb86d391, 21);

    buf[0] += a;
    buf[1] += b;
    buf[2] += c;
    buf[3] += d;
}

static void md5_block(MD5Context *ctx)
{
    uint32_t words[16];
    for (int i = 0; i < 16; i++)
        words[i] = md5_get32(ctx->in + 4 * i);
    MD5Transform(ctx->buf, words);
}

void MD5Update(MD5Context *ctx, const uint8_t *data, size_t len)
{
    uint32_t used = (ctx->bits[0] >> 3) & 0x3f;
    uint64_t bits = ((uint64_t)ctx->bits[1] << 32 | ctx->bits[0]) + ((uint64_t)len << 3);
    ctx->bits[0] = (uint32_t)bits;
    ctx->bits[1] = (uint32_t)(bits >> 32);

    if (used) {
        size_t room = 64 - used;
        if (len < room) {
            if (len)
                memcpy(ctx->in + used, data, len);
            return;
        }
        memcpy(ctx->in + used, data, room);
        md5_block(ctx);
        data += room;
        len -= room;
    }
    while (len >= 64) {
        memcpy(ctx->in, data, 64);
        md5_block(ctx);
        data += 64;
        len -= 64;
    }
    if (len)
        memcpy(ctx->in, data, len);
}

void MD5Final(uint8_t digest[16], MD5Context *ctx)
{
    uint32_t used = (ctx->bits[0] >> 3) & 0x3f;
    uint8_t lenbytes[8];
    md5_put32(lenbytes, ctx->bits[0]);
    md5_put32(lenbytes + 4, ctx->bits[1]);

    static const uint8_t pad[64] = {0x80};
    size_t padlen = used < 56 ? 56 - used : 120 - used;
    MD5Update(ctx, pad, padlen);
    MD5Update(ctx, lenbytes, 8);
    for (int i = 0; i < 4; i++)
        md5_put32(digest + 4 * i, ctx->buf[i]);
    memset(ctx, 0, sizeof(*ctx));
}

int tval_compute_md5_hash(size_t size, const uint8_t *data, char out[32])
{
    static const char hex[] = "0123456789abcdef";
    MD5Context ctx;
    uint8_t digest[16];

    MD5Init(&ctx);
    MD5Update(&ctx, data, size);
    MD5Final(digest, &ctx);
    for (int i = 0; i < 16; i++) {
        out[2 * i] = hex[digest[i] >> 4];
        out[2 * i + 1] = hex[digest[i] & 0xf];
    }
    return TVA_STATUS_OK;
}
