// Which build of the engine a page loads: the SIMD one where the browser runs
// WebAssembly's 128-bit vectors, the plain one elsewhere. The query's build=simd or
// build=plain chooses for tests and benchmarks.

// The smallest module that uses a vector: (func (result v128) (i8x16.splat (i32.const 0))).
const kSimdProbe = new Uint8Array([
    0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00,  // "\0asm", version 1
    0x01, 0x05, 0x01, 0x60, 0x00, 0x01, 0x7b,        // type: () -> v128
    0x03, 0x02, 0x01, 0x00,                          // one function of that type
    0x0a, 0x08, 0x01, 0x06, 0x00,                    // its body, no locals:
    0x41, 0x00, 0xfd, 0x0f, 0x0b,                    // i32.const 0, i8x16.splat, end
]);

export function browserHasSimd() {
    return typeof WebAssembly === 'object' && WebAssembly.validate(kSimdProbe);
}

export function chooseBuild(search = location.search) {
    const asked = new URLSearchParams(search).get('build');
    if (asked === 'simd' || asked === 'plain') return asked;
    return browserHasSimd() ? 'simd' : 'plain';
}
