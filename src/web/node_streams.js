// Emscripten 3.1.6 opens every file as seekable, so it writes to pipes and
// devices (a FIFO, /dev/stdout) at a position, which they refuse: mark the
// streams of such files unseekable, as the native runner's plain writes are.
Module["preRun"] = [].concat(Module["preRun"] || [], function () {
  var open = FS.open;
  FS.open = function () {
    var stream = open.apply(null, arguments);
    if (stream.nfd !== undefined) {
      var info = require("fs").fstatSync(stream.nfd);
      stream.seekable = info.isFile() || info.isDirectory() || info.isBlockDevice();
    }
    return stream;
  };
});
