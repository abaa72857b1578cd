"""A headless LibreOffice with the extension installed, in a throwaway
profile and extension store, reached over a named pipe."""
import os
import shutil
import subprocess
import tempfile
import time

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException


def properties(**values):
    result = []
    for name, value in values.items():
        p = PropertyValue()
        p.Name, p.Value = name, value
        result.append(p)
    return tuple(result)


class Office:
    def __init__(self, extension):
        self.folder = tempfile.mkdtemp(prefix="torven-calc-")
        url = uno.systemPathToFileUrl(self.folder)
        # unopkg refuses a per-user installation as root: a shared one, in a
        # store of our own, serves both.
        self.environment = [
            "-env:UserInstallation=" + url + "/profile",
            "-env:UNO_SHARED_PACKAGES=" + url + "/store",
            "-env:UNO_SHARED_PACKAGES_CACHE=" + url + "/store/cache",
        ]
        subprocess.run(["unopkg", "add", "--shared", *self.environment, extension],
                       check=True, timeout=120)
        self.pipe = "torven%d" % os.getpid()
        self.process = subprocess.Popen(
            ["soffice", "--headless", "--invisible", "--norestore", "--nologo",
             "--nodefault", "--accept=pipe,name=%s;urp;" % self.pipe, *self.environment],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.context = self._connect()
        self.desktop = self.create("com.sun.star.frame.Desktop")

    def _connect(self):
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + 90
        while True:
            try:
                return resolver.resolve(
                    "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe)
            except NoConnectException:
                if time.monotonic() > deadline or self.process.poll() is not None:
                    raise RuntimeError("soffice did not answer on its pipe")
                time.sleep(0.2)

    def create(self, service):
        return self.context.ServiceManager.createInstanceWithContext(service, self.context)

    def open(self, path=None):
        url = uno.systemPathToFileUrl(path) if path else "private:factory/scalc"
        return self.desktop.loadComponentFromURL(url, "_blank", 0, properties(Hidden=True))

    def close(self):
        try:
            self.desktop.terminate()
        except Exception:  # the bridge drops as soffice ends
            pass
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
        shutil.rmtree(self.folder, ignore_errors=True)
