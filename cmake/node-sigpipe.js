// Linked after every node program of the WebAssembly build (--post-js).
// A reader that closes the pipe early ends a native program by SIGPIPE,
// silently (status 141 in the shell). Node ignores SIGPIPE, so the write would
// fail with EPIPE and the program report lost output instead: give the signal
// its default action back and raise it, as the kernel would have.
(function() {
  var fs = require('fs');
  var writeSync = fs.writeSync;
  fs.writeSync = function() {
    try {
      return writeSync.apply(fs, arguments);
    } catch (e) {
      if (e.code === 'EPIPE') {
        // Node restores the default action when the last listener goes.
        var ignore = function() {};
        process.on('SIGPIPE', ignore);
        process.removeListener('SIGPIPE', ignore);
        process.kill(process.pid, 'SIGPIPE');
      }
      throw e;
    }
  };
})();
