#!/usr/bin/env python3
"""Makes the benchmark corpora in a scratch folder, deterministically.

  text/corpus.txt     English-like text (words drawn with a Zipf-like spread)
  random/corpus.bin   random bytes
  small/              many files of 1 to 20 KiB, half text and half random
  mixed/              a copy of a real source tree (/usr/include), regular files only

Usage: make_corpora.py SCRATCH [--text-mib N] [--random-mib N] [--small-files N]
"""
import argparse
import os
import random
import shutil

WORDS = """the of and to a in is it you that he was for on are with as I his they be at one have
this from or had by not word but what some we can out other were all there when up use your how said
an each she which do their time if will way about many then them write would like so these her long
make thing see him two has look more day could go come did number sound no most people my over know
water than call first who may down side been now find any new work part take get place made live where
after back little only round man year came show every good me give our under name very through just
form sentence great think say help low line differ turn cause much mean before move right boy old too
same tell does set three want air well also play small end put home read hand port large spell add even
land here must big high such follow act why ask men change went light kind off need house picture try us
again animal point mother world near build self earth father head stand own page should country found
answer school grow study still learn plant cover food sun four between state keep eye never last let
thought city tree cross farm hard start might story saw far sea draw left late run while press close
night real life few north open seem together next white children begin got walk example ease paper group
always music those both mark often letter until mile river car feet care second book carry took science
eat room friend began idea fish mountain stop once base hear horse cut sure watch color face wood main
enough plain girl usual young ready above ever red list though feel talk bird soon body dog family direct
pose leave song measure door product black short numeral class wind question happen complete ship area
half rock order fire south problem piece told knew pass since top whole king space heard best hour better
true during hundred five remember step early hold west ground interest reach fast verb sing listen six
table travel less morning ten simple several vowel toward war lay against pattern slow center love person
money serve appear road map rain rule govern pull cold notice voice unit power town fine certain fly fall
lead cry dark machine note wait plan figure star box noun field rest correct able pound done beauty drive
stood contain front teach week final gave green oh quick develop ocean warm free minute strong special
mind behind clear tail produce fact street inch multiply nothing course stay wheel full force blue object
decide surface deep moon island foot system busy test record boat common gold possible plane stead dry
wonder laugh thousand ago ran check game shape equate hot miss brought heat snow tire bring yes distant
fill east paint language among""".split()


def english_like(rng, size):
    weights = [1.0 / (rank + 1) for rank in range(len(WORDS))]
    out = []
    total = 0
    while total < size:
        sentence = rng.choices(WORDS, weights, k=rng.randint(6, 18))
        line = " ".join(sentence).capitalize() + ".\n"
        out.append(line)
        total += len(line)
    return "".join(out).encode()[:size]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("scratch")
    parser.add_argument("--text-mib", type=int, default=200)
    parser.add_argument("--random-mib", type=int, default=200)
    parser.add_argument("--small-files", type=int, default=5000)
    args = parser.parse_args()
    rng = random.Random(20261211)
    mib = 1 << 20

    os.makedirs(os.path.join(args.scratch, "text"), exist_ok=True)
    block = english_like(rng, 8 * mib)
    with open(os.path.join(args.scratch, "text", "corpus.txt"), "wb") as f:
        for i in range(args.text_mib // 8):
            # Shuffled blocks keep the text from repeating at a short distance.
            f.write(block[i * 4096:] + block[:i * 4096])

    os.makedirs(os.path.join(args.scratch, "random"), exist_ok=True)
    with open(os.path.join(args.scratch, "random", "corpus.bin"), "wb") as f:
        for _ in range(args.random_mib):
            f.write(rng.randbytes(mib))

    small = os.path.join(args.scratch, "small")
    os.makedirs(small, exist_ok=True)
    for i in range(args.small_files):
        size = rng.randint(1024, 20 * 1024)
        data = english_like(rng, size) if i % 2 == 0 else rng.randbytes(size)
        with open(os.path.join(small, "f%05d.dat" % i), "wb") as f:
            f.write(data)

    mixed = os.path.join(args.scratch, "mixed")
    if not os.path.exists(mixed):
        shutil.copytree("/usr/include", mixed, symlinks=True)


if __name__ == "__main__":
    main()
