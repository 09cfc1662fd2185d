// tvcli boot commands: boot-code update from a boot image file, and the
// boot-LUN zone command line.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/time.h>

#include "tval_boot.h"
#include "tvcli.h"

#define TVCLI_BOOT_MAX_STEPS 1200

typedef struct waitCond_s {
    pthread_mutex_t mutex;
    pthread_cond_t cond;
    int value;
} waitCond_t;

static char *sImgFile;
static uint16_t devid;
static uint16_t update_status;
static tva_status_t boot_status[TVAL_BOOT_MAX_ADAPTERS];
static pthread_t thread_id;
static waitCond_t wc = {PTHREAD_MUTEX_INITIALIZER, PTHREAD_COND_INITIALIZER, 0};

void tvcli_boot_usage(int extended)
{
    printf("\nUsage: tvcli boot [OPTIONS] [ARGUMENTS] ...\n");
    printf("Direct Telvarn adapter specific commands using this option\n");
    printf("Example: tvcli boot --update 1 <image file>\n\n");
    printf("Available commands are:\n");
    printf("\t--blunZone -c <cfg> -p <port_wwn> -r <rport_wwn> ");
    printf("-l <lun_id | lun#>\n");
    printf("\t\tCreates the zonecreate command to be run on the switch\n");
    printf("\t\t<cfg> should be \"BLUN\"\n");
    printf("\t\tlun_id should be a hexadecimal Byte, e.g. FF\n");
    printf("\t\tlun# should be a hexadecimal 8 Byte string e.g.09AABBCCDDEEFF00\n");
    printf("\n\t\texample:\n");
    printf("\t\ttvcli boot --blunZone -c BLUN -p 10:00:00:05:1e:41:9a:cb\n");
    printf("\t\t-r 50:00:00:05:1e:41:9a:ca -l 09AABBCCDDEEFF00\n");
    printf("\t--update [adapter_id] <image file> [-a]");
    if (extended)
        printf(" [-d <dev_id>]");
    printf("\n\t\tUpdates the boot code in flash\n");
    printf("\t\t-a indicates boot code would be updated\n");
    printf("\t\ton all the Telvarn adapters found on the host\n");
    printf("\t\tAdapter id should not be given if -a is specified\n\n");
    if (extended)
        printf("\t\tdev_id should be 13 for dual port and 17 for single port card\n\n");
    printf("\n\tadapter id could be any of:\n");
    printf("\t\t<adapter_id>\n");
    printf("\t\t<adapter-sn>\n");
    printf("\t\t<adapter-name>\n");
    printf("\t\t<adapter-hwpath>\n");
}

static bool all_digits(const char *s)
{
    if (*s == '\0')
        return false;
    for (; *s; s++)
        if (!isdigit((unsigned char)*s))
            return false;
    return true;
}

/* ---- worker and progress indicator ------------------------------------ */

static void *tvcli_boot_update_thread(void *arg)
{
    tval_t *ioc = static_cast<tval_t *>(arg);
    int rc = tval_boot_fwupdate(ioc, sImgFile, devid, &update_status, boot_status);
    if (pthread_mutex_lock(&wc.mutex) != 0)
        printf("lock waitCond mutex failed\n");
    wc.value = 1;
    if (pthread_cond_signal(&wc.cond) != 0)
        printf("signaling waitCond failed\n");
    if (pthread_mutex_unlock(&wc.mutex) != 0)
        printf("unlock waitCond mutex failed\n");
    return reinterpret_cast<void *>((intptr_t)rc);
}

static int tvcli_boot_update_progress_indicator(tval_t *ioc)
{
    static const char spinner[] = "|/-\\";
    struct timeval now;
    struct timespec deadline;

    if (pthread_create(&thread_id, nullptr, tvcli_boot_update_thread, ioc) != 0)
        return TVA_STATUS_FAILED;

    gettimeofday(&now, nullptr);
    deadline.tv_sec = now.tv_sec + 1;
    deadline.tv_nsec = now.tv_usec * 1000;
    if (pthread_mutex_lock(&wc.mutex) != 0)
        printf("lock main waitCond mutex failed\n");
    int k = 0;
    while (wc.value == 0) {
        int rc = pthread_cond_timedwait(&wc.cond, &wc.mutex, &deadline);
        if (rc == ETIMEDOUT) {
            printf("%c\r", spinner[k % 4]);
            fflush(stdout);
        } else if (rc == 0) {
            break;
        }
        if (k > TVCLI_BOOT_MAX_STEPS) {
            printf("boot code update timed out \n");
            /* The worker keeps running on its own copies; the process is
             * about to report and exit. */
            pthread_mutex_unlock(&wc.mutex);
            pthread_detach(thread_id);
            return TVA_STATUS_BOOT_CODE_TIMEDOUT;
        }
        k++;
        deadline.tv_sec += 1;
    }
    if (pthread_mutex_unlock(&wc.mutex) != 0)
        printf("unlock main waitCond mutex failed\n");
    void *ret = nullptr;
    pthread_join(thread_id, &ret);
    return (int)(intptr_t)ret;
}

/* ---- update driver ---------------------------------------------------- */

static int tvcli_update_boot_code(tval_adapter_t *adapter)
{
    int count = tval_adapter_get_count();
    if (count > TVAL_BOOT_MAX_ADAPTERS) {
        printf("Adapter count exceeds the maximum!\n");
        return TVA_STATUS_FAILED;
    }
    tval_t *ioc = nullptr;
    if (adapter) {
        ioc = tval_adapter_get_first_ioc(adapter);
        if (!ioc)
            return TVA_STATUS_FAILED;
    }
    struct stat st;
    if (stat(sImgFile, &st) != 0 && errno == ENOENT)
        return TVA_STATUS_FILE_NOT_FOUND;

    printf("\n\nBoot code update can take a ");
    printf("lot of time to complete. \n");
    printf("Please don't terminate the ");
    printf("command as it could result in\n");
    printf("undesirable adapter state.\n\n");
    printf("Updating boot code...\n\n");

    update_status = 0;
    int rc = tvcli_boot_update_progress_indicator(ioc);

    if (adapter) {
        if (rc == TVA_STATUS_OK) {
            printf("\nBoot code updated successfully\n");
            printf("A reboot of the system ");
            printf("is needed for the newly updated image to be effective\n\n");
        }
        return rc;
    }

    int ok = 0;
    int first_failure = TVA_STATUS_OK;
    for (int k = 1; k <= count; k++) {
        if (!(update_status & (1u << (k - 1)))) {
            printf("adapter id %d boot update failed\n", k);
            fflush(stdout);
            fprintf(stderr, "ERROR: %s\n\n", tval_status_to_string(boot_status[k - 1]));
            if (first_failure == TVA_STATUS_OK)
                first_failure = boot_status[k - 1] != TVA_STATUS_OK ? boot_status[k - 1]
                                                                     : TVA_STATUS_FAILED;
        } else {
            ok++;
        }
    }
    if (ok > 0) {
        if (ok < count)
            printf("Boot code successfully updated for %d out of %d adapters\n", ok, count);
        else
            printf("Boot code successfully updated for %d adapters\n", ok);
        printf("A reboot of the system ");
        printf("is needed for the newly updated image to be effective\n\n");
    }
    /* An adapter that was not updated must not leave the command looking
     * successful to a deployment tool. */
    if (rc == TVA_STATUS_OK)
        rc = first_failure;
    /* The report goes before the error line that follows a failure. */
    fflush(stdout);
    return rc;
}

int tvcli_boot_update(char **argv, int argc, tvcli_id_t *id)
{
    (void)id;
    tval_adapter_t *adapter = nullptr;
    const char *image;

    if (all_digits(argv[3])) {
        errno = 0;
        long n = strtol(argv[3], nullptr, 10);
        if (errno != 0 || n > INT_MAX || (adapter = tvcli_get_adapter_by_id((int)n)) == nullptr)
            return E_CLI_INCORRECT_ADAPTER_ID;
        image = argv[4];
    } else {
        image = argv[3];
        if (strcmp(argv[4], "-a") != 0)
            return E_CLI_INCORRECT_CMD;
    }

    devid = 0;
    if (argc > 5) {
        if (strcmp(argv[5], "-d") != 0)
            return E_CLI_INCORRECT_CMD;
        if (argc != 7)
            return E_CLI_TOO_FEW_ARGS;
        if (!all_digits(argv[6]))
            return E_CLI_INCORRECT_CMD;
        /* Written like a hex id: 13 means 0x13. Anything past 16 bits is
         * no device id at all, so it must not wrap into a valid one. */
        errno = 0;
        unsigned long v = strtoul(argv[6], nullptr, 16);
        devid = (errno != 0 || v > 0xffff) ? 0xffff : (uint16_t)v;
    }

    sImgFile = strdup(image);
    if (!sImgFile)
        return E_CLI_SYSTEM_BUSY;
    int rc = tvcli_update_boot_code(adapter);
    free(sImgFile);
    sImgFile = nullptr;
    return rc;
}

/* ---- --blunZone ------------------------------------------------------- */

static int hexval(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = (char)tolower((unsigned char)c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

/* Hex text of 2*n digits into n bytes; false when it is not hex. */
static bool hex_bytes(const char *s, uint8_t *out, int n)
{
    for (int i = 0; i < n; i++) {
        int hi = hexval(s[2 * i]), lo = hexval(s[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        out[i] = (uint8_t)(hi << 4 | lo);
    }
    return true;
}

static void print_zone_member(int index, const uint8_t four[4])
{
    printf("00:00:00:%02x:%02x:%02x:%02x:%02x", index, four[0], four[1], four[2], four[3]);
}

static void tvcli_boot_display_zone(const char *cfg, const char *pwwn, wwn_t rpwwn, const uint8_t lun[8])
{
    printf("\nPlease copy the following line and run this command from the switch command line\n");
    printf("to create the zone.\n");
    printf("The zone name created below should be included in an effective cfg.\n");
    printf("\nzonecreate ");
    printf("\"TVA_");
    for (const char *p = pwwn; *p; p++)
        if (*p != ':')
            putchar(toupper((unsigned char)*p));
    printf("_%s\", ", cfg);

    uint8_t r[8];
    for (int i = 0; i < 8; i++)
        r[i] = tval_wwn_byte(rpwwn, i);
    printf("\"");
    print_zone_member(0, r);
    printf("; ");
    print_zone_member(1, r + 4);
    printf("; ");
    print_zone_member(2, lun);
    printf("; ");
    print_zone_member(3, lun + 4);
    printf("\" \n\n");
}

int tvcli_boot_zone(char **argv, int argc, tvcli_id_t *id)
{
    (void)id;
    wwn_t rpwwn;
    if (argc != 11 || strcmp(argv[3], "-c") != 0 || strcmp(argv[4], "BLUN") != 0 ||
        strcmp(argv[5], "-p") != 0 || strlen(argv[6]) != 23 || strcmp(argv[7], "-r") != 0 ||
        !tvcli_get_port_wwn(argv[8], &rpwwn) || strcmp(argv[9], "-l") != 0)
        return E_CLI_INCORRECT_ARG;
    size_t lun_len = strlen(argv[10]);
    if (lun_len != 2 && lun_len != 16)
        return E_CLI_INCORRECT_ARG;

    uint8_t lun[8] = {};
    if (lun_len == 2) {
        if (!hex_bytes(argv[10], lun + 1, 1))
            lun[1] = 0;
    } else if (!hex_bytes(argv[10], lun, 8)) {
        memset(lun, 0, sizeof(lun));
    }
    tvcli_boot_display_zone(argv[4], argv[6], rpwwn, lun);
    return 0;
}
