// Opened straight from the disk the page cannot load its game, since
// browsers load no modules from file: addresses. This plain script still
// runs there, and says how to play instead.
if (location.protocol === 'file:') document.getElementById('unserved').hidden = false;
