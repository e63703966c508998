#!/usr/bin/python3
"""A read-only mirror of a folder in which reading one file never answers,
the way a device that stops answering looks to the programs reading it.

usage: hanging-fs.py SOURCE MOUNTPOINT NAME
Reads of every file called NAME (in any folder) block until unmounted."""
import errno
import os
import sys
import threading

from fusepy import FUSE, FuseOSError, Operations


class HangingMirror(Operations):
    def __init__(self, source, hanging_name):
        self.source = source
        self.hanging_name = hanging_name
        self.never = threading.Event()

    def _real(self, path):
        return os.path.join(self.source, path.lstrip("/"))

    def getattr(self, path, fh=None):
        try:
            st = os.lstat(self._real(path))
        except OSError as error:
            raise FuseOSError(error.errno)
        return {key: getattr(st, key) for key in (
            "st_mode", "st_size", "st_nlink", "st_uid", "st_gid",
            "st_atime", "st_mtime", "st_ctime")}

    def readdir(self, path, fh):
        return [".", ".."] + os.listdir(self._real(path))

    def open(self, path, flags):
        if flags & (os.O_WRONLY | os.O_RDWR):
            raise FuseOSError(errno.EROFS)
        return os.open(self._real(path), os.O_RDONLY)

    def read(self, path, size, offset, fh):
        if os.path.basename(path) == self.hanging_name:
            self.never.wait()
        return os.pread(fh, size, offset)

    def release(self, path, fh):
        os.close(fh)


if __name__ == "__main__":
    source, mountpoint, name = sys.argv[1:4]
    FUSE(HangingMirror(source, name), mountpoint, foreground=True, nothreads=False,
         ro=True, direct_io=False)
