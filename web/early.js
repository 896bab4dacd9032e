// The early script, run as soon as the window and its footer are read: the
// window keeps what the user does from its first frame, and is sized before
// it; the footer, read before it, is in that frame too.
// What the app script takes over from it is the one global the page's two
// scripts share: the two run apart, this one before the first frame, the
// other once the program is compiled.
const earlyForm = document.getElementById('Form1');
window.quenvaleEarly = { replay: holdGestures(earlyForm), fit: fitWindow(earlyForm) };
// Sized: the page's style sheet shows the window from here.
document.documentElement.classList.add('sized');
