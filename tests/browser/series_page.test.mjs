// Opens an exported series page in headless chromium and checks what the user sees: the
// "Опыт" table at start, one table per tab link, the survival and extreme colours, and the
// charts tab with its drawings, on a desktop and at a phone's width.
// The page is KORDEX_EXPORTED_PAGE, or the expected page of the small test series.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const here = dirname(fileURLToPath(import.meta.url));
const pagePath = resolve(
    process.env.KORDEX_EXPORTED_PAGE ?? join(here, '..', 'data', 'export', 'small_series_page.htm'));
const chromiumPath = process.env.KORDEX_CHROMIUM ?? '/usr/bin/chromium';

const tabs = [
    { anchor: 'exp', caption: 'Опыт' },
    { anchor: 'frg', caption: 'Фраги' },
    { anchor: 'dmg', caption: 'Урон' },
    { anchor: 'sup', caption: 'Поддержка' },
    { anchor: 'sht', caption: 'Стрельба' },
];

let profile;
let context;
let page;

before(async () => {
    profile = mkdtempSync(join(tmpdir(), 'kordex-chromium-'));
    context = await chromium.launchPersistentContext(profile, {
        executablePath: chromiumPath,
        headless: true,
        args: [
            '--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync',
        ],
    });
    page = await context.newPage();
    // A page of every real replay is tens of megabytes: give it time on a busy machine.
    page.setDefaultTimeout(120000);
    await page.goto(pathToFileURL(pagePath).href, { timeout: 180000 });
});

after(async () => {
    await context?.close();
    if (profile)
        rmSync(profile, { recursive: true, force: true });
});

// The table of a tab: the div that follows the tab's anchor.
const tabTable = (anchor) => page.locator(`#${anchor} + .tab > table`);

async function visibleTabs() {
    const shown = [];
    for (const { anchor } of tabs) {
        if (await tabTable(anchor).isVisible())
            shown.push(anchor);
    }
    return shown;
}

test('the tab strip reads in Russian from the windows-1251 page', async () => {
    const captions = await page.locator('.tabsLink a').allTextContents();
    assert.deepEqual(captions, [...tabs.map((t) => t.caption), 'Графики']);
});

test('the experience table is the only one shown at start', async () => {
    assert.deepEqual(await visibleTabs(), ['exp']);
});

test('each tab link shows its own table and hides the others', async () => {
    for (const { anchor, caption } of [...tabs.slice(1), tabs[0]]) {
        await page.click(`.tabsLink a[href="#${anchor}"]`);
        const shown = await visibleTabs();
        assert.ok(shown.includes(anchor), `${caption} is not shown`);
        assert.deepEqual(shown, [anchor], `after a click on ${caption}`);
    }
});

test('battle cells are coloured by survival and by the team extremes', async () => {
    await page.click('.tabsLink a[href="#exp"]');
    const table = tabTable('exp');
    const style = (locator, property) =>
        locator.evaluate((element, name) => getComputedStyle(element)[name], property);

    const survived = table.locator('td.survived').first();
    const died = table.locator('td.died').first();
    assert.equal(await style(survived, 'backgroundColor'), 'rgb(216, 255, 216)');
    assert.equal(await style(died, 'backgroundColor'), 'rgb(255, 216, 216)');
    assert.equal(await style(table.locator('p.max').first(), 'color'), 'rgb(0, 128, 0)');
    assert.equal(await style(table.locator('p.min').first(), 'color'), 'rgb(255, 0, 0)');
    assert.ok(await survived.isVisible());
    assert.ok(await died.isVisible());
});

test('outcome headers carry the outcome colours', async () => {
    const table = tabTable('exp');
    const colours = await table.locator('th').evaluateAll((cells) =>
        cells.map((cell) => [cell.textContent, getComputedStyle(cell).backgroundColor]));
    const colourOf = (word) => colours.find(([text]) => text === word)?.[1];
    for (const [word, colour] of [['Победа', 'rgb(0, 255, 0)'], ['Поражение', 'rgb(255, 0, 0)'],
                                  ['Ничья', 'rgb(255, 255, 0)']]) {
        const found = colourOf(word);
        if (found !== undefined)
            assert.equal(found, colour, word);
    }
    assert.ok(colourOf('Победа') ?? colourOf('Поражение') ?? colourOf('Ничья'),
              'no outcome header on the page');
});

test('player names link to the portal search and show as plain text', async () => {
    const link = tabTable('exp').locator('tbody tr td:first-child a').first();
    const name = await link.textContent();
    const href = await link.getAttribute('href');
    // The portal of the replays' region: ru, eu, com or asia.
    assert.match(href, /^http:\/\/worldoftanks\.(ru|eu|com|asia)\/community\/accounts\/#wot&at_search=/);
    assert.equal(decodeURIComponent(href.split('at_search=')[1]), name);
    assert.equal(await page.locator('script, img, iframe').count(), 0);
});

// The drawings of the charts tab: the team's and the ranking first, then one fold per player.
const charts = () => page.locator('#chr + .tab .charts');

test('the charts tab shows the team and the ranking and hides the tables', async () => {
    assert.equal(await charts().isVisible(), false);
    await page.click('.tabsLink a[href="#chr"]');
    assert.deepEqual(await visibleTabs(), []);
    const drawings = charts().locator(':scope > svg.chart');
    assert.equal(await drawings.count(), 4);
    for (let i = 0; i < 4; ++i) {
        const drawing = drawings.nth(i);
        assert.ok(await drawing.isVisible(), `drawing ${i} is not shown`);
        const box = await drawing.boundingBox();
        assert.ok(box.width > 200 && box.height > 60, JSON.stringify(box));
    }
    // The team's columns carry the outcome colours.
    const fills = await drawings.first().locator('rect[stroke]').evaluateAll((rects) =>
        rects.map((rect) => rect.getAttribute('fill')));
    assert.ok(fills.length >= 2, 'no battle columns');
    assert.ok(fills.every((fill) => ['#00FF00', '#FF0000', '#FFFF00'].includes(fill)), fills.join());
});

test('a player\'s fold opens on their experience and damage lines', async () => {
    await page.click('.tabsLink a[href="#chr"]');
    const fold = charts().locator('details.player').first();
    const drawings = fold.locator('svg.chart');
    assert.equal(await drawings.count(), 2);
    assert.equal(await drawings.first().isVisible(), false);
    await fold.locator('summary').click();
    for (let i = 0; i < 2; ++i)
        assert.ok(await drawings.nth(i).isVisible(), `player drawing ${i} is not shown`);
    assert.ok(await drawings.first().locator('circle').count() >= 1, 'no points');
});

test('on a phone the drawings shrink to the screen', async () => {
    await page.setViewportSize({ width: 360, height: 740 });
    await page.click('.tabsLink a[href="#chr"]');
    const box = await charts().locator(':scope > svg.chart').first().boundingBox();
    assert.ok(box.width <= 360 && box.width > 250, JSON.stringify(box));
    assert.ok(Math.abs(box.height / box.width - 240 / 600) < 0.02, JSON.stringify(box));
    await page.setViewportSize({ width: 1280, height: 720 });
});
