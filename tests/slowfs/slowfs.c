/* slowfs: a FUSE passthrough of one folder whose looks at a path wait first, as a slow or
 * offline network share answers. Used by tools/test to give the Wine prefix a slow drive.
 *
 *   slowfs <source folder> <mount point> <delay in ms> [FUSE options]
 *
 * One look at a path on the share costs one round trip of the delay. The system's network
 * redirector answers the further looks that one call makes at the same path (Wine makes half a
 * dozen for one attribute query) from its cache, so they answer at once for a moment after it.
 */
#define FUSE_USE_VERSION 31
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <fuse3/fuse.h>
#include <limits.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <sys/statvfs.h>
#include <unistd.h>

static const char* source;
static useconds_t delay_us;

static void source_path(char out[PATH_MAX], const char* path)
{
    snprintf(out, PATH_MAX, "%s%s", source, path);
}

/* How long a path's attributes stay in the redirector's cache after a round trip. */
#define CACHE_MS 1000
#define CACHED_PATHS 64

static struct {
    char path[PATH_MAX];
    long long answered_ms;
} cache[CACHED_PATHS];
static pthread_mutex_t cache_lock = PTHREAD_MUTEX_INITIALIZER;

static long long now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

/* The entry of `path`, or the one answered longest ago for it to take over. */
static int cache_slot(const char* path)
{
    int oldest = 0;
    for (int i = 0; i < CACHED_PATHS; ++i) {
        if (strcmp(cache[i].path, path) == 0) return i;
        if (cache[i].answered_ms < cache[oldest].answered_ms) oldest = i;
    }
    snprintf(cache[oldest].path, PATH_MAX, "%s", path);
    cache[oldest].answered_ms = 0;
    return oldest;
}

/* The root answers at once: Wine looks at every drive's root whenever a program starts, and only
 * the folders on the share are meant to be slow. */
static void wait_for_share(const char* path)
{
    if (strcmp(path, "/") == 0) return;
    pthread_mutex_lock(&cache_lock);
    const int fresh = now_ms() - cache[cache_slot(path)].answered_ms < CACHE_MS;
    pthread_mutex_unlock(&cache_lock);
    if (fresh) return;
    usleep(delay_us);
    pthread_mutex_lock(&cache_lock);
    cache[cache_slot(path)].answered_ms = now_ms();
    pthread_mutex_unlock(&cache_lock);
}

static int slow_getattr(const char* path, struct stat* st, struct fuse_file_info* fi)
{
    (void)fi;
    char real[PATH_MAX];
    source_path(real, path);
    wait_for_share(path);
    return lstat(real, st) == -1 ? -errno : 0;
}

static int slow_access(const char* path, int mask)
{
    char real[PATH_MAX];
    source_path(real, path);
    wait_for_share(path);
    return access(real, mask) == -1 ? -errno : 0;
}

static int slow_statfs(const char* path, struct statvfs* st)
{
    char real[PATH_MAX];
    source_path(real, path);
    wait_for_share(path);
    return statvfs(real, st) == -1 ? -errno : 0;
}

static int slow_readdir(const char* path, void* buf, fuse_fill_dir_t fill, off_t offset, struct fuse_file_info* fi,
                        enum fuse_readdir_flags flags)
{
    (void)offset;
    (void)fi;
    (void)flags;
    char real[PATH_MAX];
    source_path(real, path);
    wait_for_share(path);
    DIR* dir = opendir(real);
    if (!dir) return -errno;
    struct dirent* entry;
    while ((entry = readdir(dir)) != NULL) {
        struct stat st = {0};
        st.st_ino = entry->d_ino;
        st.st_mode = (mode_t)entry->d_type << 12;
        if (fill(buf, entry->d_name, &st, 0, 0)) break;
    }
    closedir(dir);
    return 0;
}

static int slow_open(const char* path, struct fuse_file_info* fi)
{
    char real[PATH_MAX];
    source_path(real, path);
    int fd = open(real, fi->flags);
    if (fd == -1) return -errno;
    fi->fh = (uint64_t)fd;
    return 0;
}

static int slow_read(const char* path, char* buf, size_t size, off_t offset, struct fuse_file_info* fi)
{
    (void)path;
    ssize_t n = pread((int)fi->fh, buf, size, offset);
    return n == -1 ? -errno : (int)n;
}

static int slow_release(const char* path, struct fuse_file_info* fi)
{
    (void)path;
    close((int)fi->fh);
    return 0;
}

static const struct fuse_operations operations = {
    .getattr = slow_getattr,
    .access = slow_access,
    .statfs = slow_statfs,
    .readdir = slow_readdir,
    .open = slow_open,
    .read = slow_read,
    .release = slow_release,
};

int main(int argc, char* argv[])
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s <source> <mount point> <delay ms> [FUSE options]\n", argv[0]);
        return 2;
    }
    static char resolved[PATH_MAX];
    if (!realpath(argv[1], resolved)) {
        perror(argv[1]);
        return 2;
    }
    source = resolved;
    delay_us = (useconds_t)(atoi(argv[3]) * 1000);
    /* The FUSE arguments: the program's name, the mount point and what follows the delay. */
    argv[3] = argv[2];
    argv[2] = argv[0];
    return fuse_main(argc - 2, argv + 2, &operations, NULL);
}
