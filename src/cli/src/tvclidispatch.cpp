// The one-shot path, the interactive shell and the dispatch of one command
// line through the class table; help and version texts.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tvcli.h"

int tvcli_class = 0;
bool bNoAd = false;

#define TVCLI_LINE_SIZE 256
#define TVCLI_HELP_ROW 6

static const char *const tvcli_group_title[TYPE_MAX] = {
    "Common Adapter (HBA/CNA) Commands:",
    "CNA specific Commands:",
    "FC/FCoE specific Commands:",
    "ETH specific Commands:",
};

const char *tvcli_get_version(void)
{
    return "3.1.0.0 06/15/2012 08.53.43";
}

void tvcli_print_version(void)
{
    printf("\nTelvarn CLI utility\n");
    printf("Version:%s\n\n", tvcli_get_version());
}

void tvcli_print_help(int extended)
{
    printf("\nAvailable command options are:");
    for (int group = COMMON; group < TYPE_MAX; group++) {
        printf("\n\n%s\n", tvcli_group_title[group]);
        int shown = 0;
        for (const tvcli_cmd_class_desc_t *c = tvcli_class_desc; strcmp(c->name, "none") != 0; c++) {
            if (!(c->os & E_LINUX) || c->cmd_type != group)
                continue;
            if (!extended && (c->os & E_HIDDEN))
                continue;
            if (shown > 0 && shown % TVCLI_HELP_ROW == 0)
                printf("\n");
            printf("%-9s", c->name);
            shown++;
        }
    }
    printf("\n\n");
}

int tvcli_internal_command(const char *word)
{
    if (strcmp(word, "--help") == 0) {
        tvcli_print_help(0);
        return 1;
    }
    if (strcmp(word, "--ehelp") == 0) {
        tvcli_print_help(1);
        return 1;
    }
    if (strcmp(word, "-v") == 0 || strcmp(word, "--version") == 0) {
        tvcli_print_version();
        return 1;
    }
    return 0;
}

int tvcli_get_class_id(const char *word, int *class_idx)
{
    for (int i = 0; strcmp(tvcli_class_desc[i].name, "none") != 0; i++) {
        if (strcmp(tvcli_class_desc[i].name, word) == 0) {
            *class_idx = i;
            return 0;
        }
    }
    return E_CLI_CLASS_NOT_SUPPORTED;
}

int tvcli_get_cmd_id(const char *word, int class_idx, int *cmd_idx)
{
    const tvcli_cmd_class_desc_t *c = &tvcli_class_desc[class_idx];
    for (int i = 0; i < c->num_cmd; i++) {
        if (strcmp(c->cmds[i].name, word) == 0) {
            *cmd_idx = i;
            return 0;
        }
    }
    return E_CLI_CMD_NOT_SUPPORTED;
}

int tvcli_validate_arg_count(int class_idx, int cmd_idx, int n)
{
    const tvcli_cmd_desc_t *cmd = &tvcli_class_desc[class_idx].cmds[cmd_idx];
    if (n < cmd->min_args || n > cmd->max_args)
        return E_CLI_INCORRECT_ARG;
    return 0;
}

int tvcli_main(int argc, char **argv)
{
    bNoAd = false;
    if (argc < 2)
        return E_CLI_CLASS_NOT_SUPPORTED;

    int class_idx = 0;
    int rc = tvcli_get_class_id(argv[1], &class_idx);
    if (rc != 0)
        return rc;
    tvcli_class = class_idx;
    const tvcli_cmd_class_desc_t *cls = &tvcli_class_desc[class_idx];

    if (argc == 2) {
        cls->usage(0);
        return 0;
    }
    if (strcmp(argv[2], "--help") == 0) {
        cls->usage(0);
        return 0;
    }
    if (strcmp(argv[2], "--ehelp") == 0) {
        cls->usage(1);
        return 0;
    }

    int cmd_idx = 0;
    rc = tvcli_get_cmd_id(argv[2], class_idx, &cmd_idx);
    if (rc != 0)
        return rc;
    rc = tvcli_validate_arg_count(class_idx, cmd_idx, argc - 3);
    if (rc != 0)
        return rc;

    int count = tval_adapter_scan();
    if (count < 1) {
        if (count == 0)
            bNoAd = true;
        int err = tval_get_last_error();
        if (err != 0) {
            tval_adapter_free();
            return err;
        }
    }
    if (tval_get_last_error() == TVA_STATUS_REG_FAIL)
        fprintf(stderr, "Warning: %s\n", tval_status_to_string(TVA_STATUS_REG_FAIL));

    tvcli_id_t id;
    memset(&id, 0, sizeof(id));
    if (argc > 3) {
        rc = tvcli_get_id(argv[3], class_idx, cmd_idx, &id);
        if (rc != 0) {
            tval_adapter_free();
            return rc;
        }
    }

    const tvcli_cmd_desc_t *cmd = &cls->cmds[cmd_idx];
    if (cmd->handler == nullptr) {
        tval_adapter_free();
        return E_CLI_CMD_NOT_SUPPORTED;
    }
    rc = cmd->handler(argv, argc, &id);
    tval_adapter_free();
    return rc;
}

void tvcli_list_append(lnode **head, const char *token)
{
    lnode *node = static_cast<lnode *>(calloc(1, sizeof(*node)));
    if (node == nullptr)
        return;
    node->token = strdup(token);
    if (node->token == nullptr) {
        free(node);
        return;
    }
    lnode **tail = head;
    while (*tail != nullptr)
        tail = &(*tail)->next;
    *tail = node;
}

void tvcli_list_free(lnode **head)
{
    lnode *node = *head;
    while (node != nullptr) {
        lnode *next = node->next;
        free(node->token);
        free(node);
        node = next;
    }
    *head = nullptr;
}

/* Splits a line at spaces into a token list; returns the token count. */
static int tvcli_tokenise(char *line, lnode **head)
{
    int n = 0;
    char *save = nullptr;
    for (char *tok = strtok_r(line, " ", &save); tok != nullptr; tok = strtok_r(nullptr, " ", &save)) {
        tvcli_list_append(head, tok);
        n++;
    }
    return n;
}

/* Reads one line of at most TVCLI_LINE_SIZE - 1 characters. A longer line
 * is consumed whole and reported, so that no part of it runs as a command.
 * Returns 1 for a line, 0 for a rejected line, -1 at end of input. */
static int tvcli_read_line(FILE *in, char *buf, size_t size)
{
    if (fgets(buf, static_cast<int>(size), in) == nullptr)
        return -1;
    size_t len = strlen(buf);
    if (len > 0 && buf[len - 1] == '\n') {
        buf[len - 1] = '\0';
        return 1;
    }
    if (len + 1 < size)
        return 1; /* last line without a newline */
    int ch;
    while ((ch = fgetc(in)) != EOF && ch != '\n') {
    }
    fprintf(stderr, "ERROR: line longer than %zu characters ignored\n", size - 1);
    return 0;
}

int tvcli_shell(FILE *in)
{
    int last = 0;
    for (;;) {
        char *line = static_cast<char *>(calloc(1, TVCLI_LINE_SIZE));
        if (line == nullptr)
            return E_CLI_SYSTEM_BUSY;
        printf("\ntvcli> ");
        fflush(stdout);
        int got = tvcli_read_line(in, line, TVCLI_LINE_SIZE);
        if (got < 0) {
            free(line);
            return last;
        }
        if (got == 0 || (strlen(line) < 3 && strcmp(line, "-v") != 0)) {
            free(line);
            continue;
        }
        if (strcmp(line, "quit") == 0 || strcmp(line, "exit") == 0) {
            free(line);
            return last;
        }

        lnode *tokens = nullptr;
        int ntok = tvcli_tokenise(line, &tokens);
        if (ntok == 0) {
            free(line);
            continue;
        }
        char **argv = static_cast<char **>(calloc(static_cast<size_t>(ntok) + 2, sizeof(char *)));
        int argc = 0;
        bool ok = argv != nullptr;
        if (ok)
            argv[argc++] = strdup("tvcli");
        for (lnode *t = tokens; ok && t != nullptr; t = t->next) {
            argv[argc] = strdup(t->token);
            ok = argv[argc++] != nullptr;
        }
        ok = ok && argv[0] != nullptr && argc == ntok + 1;

        int rc;
        if (!ok)
            rc = E_CLI_SYSTEM_BUSY;
        else if (argc == 2 && tvcli_internal_command(argv[1]))
            rc = 0;
        else
            rc = tvcli_main(argc, argv);
        last = rc;

        tvcli_list_free(&tokens);
        if (argv != nullptr) {
            for (int i = 0; i < argc; i++)
                free(argv[i]);
            free(argv);
        }
        free(line);
        if (rc == -1)
            return -1;
    }
}

int tvcli_cmdline_parser(int argc, char **argv)
{
    if (argc >= 2 && strcmp(argv[1], "shell") == 0) {
        if (argc >= 3) {
            printf("too many arguments for command \"shell\"\n");
            return E_CLI_INCORRECT_ARG;
        }
        return tvcli_shell(stdin);
    }

    int rc = tvcli_main(argc, argv);
    if (rc != 0) {
        if (rc <= 254)
            fprintf(stderr, "ERROR: %s\n", tval_status_to_string(rc));
        else
            print_error_string(rc, argc, argv);
    }
    return rc;
}
